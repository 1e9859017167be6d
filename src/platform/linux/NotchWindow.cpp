#include "NotchWindow.h"

#include "LinuxDesktop.h"
#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"
#include "views/FrameLog.h"
#include "views/MusicImageProviders.h"
#include "window/NotchWindowController.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QQmlEngine>
#include <QWheelEvent>

#include <xcb/shape.h>

#include <cstdlib>

namespace zelvik {

namespace {

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Focus values that name no window to return to.
bool isRealWindow(xcb_window_t window) {
    return window != XCB_NONE && window != XCB_INPUT_FOCUS_POINTER_ROOT;
}

} // namespace

NotchWindow::NotchWindow(const QUrl& rootView, NotchModel& model, Scheduler& scheduler)
    : m_scrollGroups(scheduler, [this](const ScrollEvent& event) {
        if (onScroll)
            onScroll(event);
    }) {
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
             Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint);
    QSurfaceFormat format = requestedFormat();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setColor(Qt::transparent);
    setTitle(QStringLiteral("Zelvik"));
    setResizeMode(QQuickView::SizeRootObjectToView);
    const QSize size(int(NotchWindowController::kWindowWidth),
                     int(NotchWindowController::kWindowHeight));
    resize(size);
    setMinimumSize(size);
    setMaximumSize(size);
    if (auto* music = qobject_cast<MusicMonitor*>(model.music()))
        installMusicImageProviders(*engine(), *music);
    setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
    logFrames(*this, model);
    setSource(rootView);
    for (const QQmlError& error : errors())
        qWarning("zelvik: %s", qPrintable(error.toString()));
    // The overlay is made when the first popup is; the tree is rebuilt when
    // the language changes. Looked at on the next turn: the new child is
    // announced from within its base constructor, before it is an overlay.
    connect(contentItem(), &QQuickItem::childrenChanged, this, &NotchWindow::watchOverlay,
            Qt::QueuedConnection);
    watchOverlay();
}

void NotchWindow::watchOverlay() {
    if (m_overlay)
        return;
    for (QQuickItem* child : contentItem()->childItems()) {
        if (!child->inherits("QQuickOverlay"))
            continue;
        m_overlay = child;
        // The overlay shows exactly while it holds a popup. A popup made on
        // demand can already be showing when its overlay is first seen.
        connect(child, &QQuickItem::visibleChanged, this, &NotchWindow::updatePopupState);
        updatePopupState();
        return;
    }
}

void NotchWindow::updatePopupState() {
    const bool open = hasOpenPopup();
    if (open == m_popupOpen)
        return;
    m_popupOpen = open;
    if (onPopupsChanged)
        onPopupsChanged();
}

bool NotchWindow::hasOpenPopup() const {
    return m_overlay && m_overlay->isVisible() && !m_overlay->childItems().isEmpty();
}

void NotchWindow::closePopups() {
    if (!rootObject())
        return;
    for (QObject* object : rootObject()->findChildren<QObject*>()) {
        if (object->inherits("QQuickPopup") && object->property("visible").toBool())
            QMetaObject::invokeMethod(object, "close");
    }
}

NotchWindow::~NotchWindow() = default;

QRectF NotchWindow::frame() const {
    return LinuxDesktop::toScreenPoints(geometry());
}

void NotchWindow::setFrame(const QRectF& frame) {
    const QRect logical = LinuxDesktop::toLogical(frame);
    if (logical != geometry())
        setGeometry(logical);
}

void NotchWindow::orderFrontRegardless() {
    if (!isVisible()) {
        show();
        // A new native window starts with the full input shape.
        applyInputShape();
    }
    raise();
}

bool NotchWindow::isKeyWindow() const {
    return isActive();
}

void NotchWindow::becomeKey() {
    if (isActive())
        return;
    if (xcb_connection_t* c = qtConnection()) {
        auto* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        if (reply && reply->focus != winId())
            m_previousFocus = reply->focus;
        std::free(reply);
    }
    requestActivate();
}

void NotchWindow::resignKeyWindow() {
    xcb_connection_t* c = qtConnection();
    if (!c)
        return;
    bool returned = false;
    if (isRealWindow(m_previousFocus)) {
        // The window may have gone meanwhile; then focus follows the pointer.
        const auto cookie = xcb_set_input_focus_checked(c, XCB_INPUT_FOCUS_POINTER_ROOT,
                                                        m_previousFocus, XCB_CURRENT_TIME);
        xcb_generic_error_t* error = xcb_request_check(c, cookie);
        returned = !error;
        std::free(error);
    }
    if (!returned)
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT,
                            XCB_CURRENT_TIME);
    xcb_flush(c);
    m_previousFocus = XCB_NONE;
}

void NotchWindow::setIgnoresMouseEvents(bool ignores) {
    if (m_ignoresMouse == ignores)
        return;
    m_ignoresMouse = ignores;
    applyInputShape();
}

void NotchWindow::applyInputShape() {
    xcb_connection_t* c = qtConnection();
    if (!c || !handle())
        return;
    const auto window = static_cast<xcb_window_t>(winId());
    if (m_ignoresMouse)
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                             window, 0, 0, 0, nullptr);
    else
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, window, 0, 0, XCB_NONE);
    xcb_flush(c);
}

void NotchWindow::mousePressEvent(QMouseEvent* event) {
    // The first click on the panel both focuses it and acts on what it hits.
    becomeKey();
    QQuickView::mousePressEvent(event);
}

void NotchWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // An open popup of the view (the context menu) closes first; only an
        // Escape nothing in the view takes closes the notch.
        event->ignore();
        QQuickView::keyPressEvent(event);
        if (!event->isAccepted() && onCancel)
            onCancel();
        event->accept();
        return;
    }
    QQuickView::keyPressEvent(event);
}

void NotchWindow::wheelEvent(QWheelEvent* event) {
    QQuickView::wheelEvent(event);
    if (event->phase() == Qt::ScrollMomentum)
        return;
    // Touchpads give pixels; a wheel notch (120 eighths of a degree) counts as
    // 15 points.
    const QPointF delta = event->pixelDelta().isNull() ? QPointF(event->angleDelta()) / 8.0
                                                       : QPointF(event->pixelDelta());
    switch (event->phase()) {
    case Qt::NoScrollPhase:
        m_scrollGroups.step(delta.x(), delta.y());
        return;
    default:
        if (onScroll) {
            ScrollEvent scroll;
            scroll.began = event->phase() == Qt::ScrollBegin;
            scroll.ended = event->phase() == Qt::ScrollEnd;
            scroll.deltaX = delta.x();
            scroll.deltaY = delta.y();
            onScroll(scroll);
        }
    }
}

} // namespace zelvik
