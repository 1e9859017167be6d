#include "NotchWindow.h"

#include "LinuxDesktop.h"
#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"
#include "views/FrameLog.h"
#include "views/MusicImageProviders.h"
#include "window/NotchWindowController.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QWheelEvent>

#include <xcb/shape.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zelvik {

namespace {

Q_LOGGING_CATEGORY(lcWindow, "zelvik.window", QtWarningMsg)

xcb_connection_t* qtConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Focus values that name no window to return to.
bool isRealWindow(xcb_window_t window) {
    return window != XCB_NONE && window != XCB_INPUT_FOCUS_POINTER_ROOT;
}

} // namespace

NotchWindow::NotchWindow(const QUrl& rootView, NotchModel& model, Scheduler& scheduler,
                         Display display)
    : m_display(display)
    , m_scheduler(scheduler)
    , m_scrollGroups(scheduler, [this](const ScrollEvent& event) {
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
    const QSize size(static_cast<int>(NotchWindowController::kWindowWidth),
                     static_cast<int>(NotchWindowController::kWindowHeight));
    resize(size);
    if (auto* music = qobject_cast<MusicMonitor*>(model.music()))
        installMusicImageProviders(*engine(), *music);
    logFrames(*this, model);
    if (m_display == Display::x11) {
        setMinimumSize(size);
        setMaximumSize(size);
        setInitialProperties({{QStringLiteral("model"), QVariant::fromValue(&model)}});
        setSource(rootView);
        for (const QQmlError& error : errors())
            qWarning("zelvik: %s", qPrintable(error.toString()));
    } else {
        // Under XWayland the window is often smaller than the frame the
        // views are laid out in, so they do not follow its size: they keep
        // the frame's size in a scene of their own, which hangs in the
        // window where the frame would be.
        m_scene = new QQuickItem(contentItem());
        m_scene->setSize(size);
        QQmlComponent component(engine(), rootView);
        QObject* root = component.createWithInitialProperties(
            {{QStringLiteral("model"), QVariant::fromValue(&model)}});
        for (const QQmlError& error : component.errors())
            qWarning("zelvik: %s", qPrintable(error.toString()));
        m_root = qobject_cast<QQuickItem*>(root);
        if (m_root) {
            m_root->setParent(m_scene);
            m_root->setParentItem(m_scene);
        } else {
            delete root;
        }
    }
    // The overlay is made when the first popup is; the tree is rebuilt when
    // the language changes. Looked at on the next turn: the new child is
    // announced from within its base constructor, before it is an overlay.
    connect(contentItem(), &QQuickItem::childrenChanged, this, &NotchWindow::watchOverlay,
            Qt::QueuedConnection);
    watchOverlay();

    if (m_display == Display::xwayland) {
        connect(this, &QQuickWindow::frameSwapped, this, &NotchWindow::frameShown,
                Qt::QueuedConnection);
        create();
        // Wayland compositors give an override-redirect window the keyboard
        // when it maps or is clicked unless its type is one that never takes
        // it; the keyboard would only be lost to the user, as no key
        // reaches the window.
        declareNotification();
    }
}

void NotchWindow::declareNotification() {
    xcb_connection_t* c = qtConnection();
    if (!c)
        return;
    auto atom = [c](const char* name) {
        auto* reply = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : XCB_NONE;
        std::free(reply);
        return value;
    };
    const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE_NOTIFICATION");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(winId()),
                        atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &type);
    xcb_flush(c);
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
    QQuickItem* root = m_root ? m_root.data() : rootObject();
    if (!root)
        return;
    for (QObject* object : root->findChildren<QObject*>()) {
        if (object->inherits("QQuickPopup") && object->property("visible").toBool())
            QMetaObject::invokeMethod(object, "close");
    }
}

NotchWindow::~NotchWindow() {
    m_secondStep.cancel();
}

QRectF NotchWindow::frame() const {
    if (m_display == Display::xwayland && !m_frame.isNull())
        return LinuxDesktop::toScreenPoints(m_frame);
    return LinuxDesktop::toScreenPoints(geometry());
}

void NotchWindow::setFrame(const QRectF& frame) {
    m_frame = LinuxDesktop::toLogical(frame);
    applyGeometry();
}

void NotchWindow::setReachableArea(const QRectF& area) {
    if (m_display != Display::xwayland)
        return;
    m_reachable = LinuxDesktop::toLogical(area);
    applyGeometry();
}

QRect NotchWindow::windowGeometry(const QRect& frame, const QRect& area) {
    const QRect part = area.intersected(frame);
    return part.isEmpty() ? frame : part;
}

std::optional<QRect> NotchWindow::firstGrowthStep(const QRect& current, const QRect& target) {
    if (current.isEmpty() || target.left() >= current.left() || target.right() < current.right())
        return std::nullopt;
    const QRect step(QPoint(current.left(), target.top()), target.bottomRight());
    if (step == current)
        return std::nullopt;
    return step;
}

void NotchWindow::applyGeometry() {
    if (m_display == Display::x11) {
        if (m_frame != geometry())
            setGeometry(m_frame);
        return;
    }
    const QRect target = windowGeometry(m_frame, m_reachable);
    m_secondStep.cancel();
    m_awaitingFrame = false;
    const std::optional<QRect> first =
        isExposed() ? firstGrowthStep(geometry(), target) : std::nullopt;
    if (!first) {
        place(target);
        return;
    }
    place(*first);
    m_awaitingFrame = true;
    // Should no frame come (nothing to draw), the second step comes anyway.
    m_secondStep = m_scheduler.after(std::chrono::milliseconds(250), [this] { applyGeometry(); });
}

void NotchWindow::frameShown() {
    if (!m_awaitingFrame)
        return;
    m_awaitingFrame = false;
    // The frame of the first step is drawn; XWayland hands it to the
    // compositor in a moment.
    m_secondStep.cancel();
    m_secondStep = m_scheduler.after(std::chrono::milliseconds(30), [this] { applyGeometry(); });
}

void NotchWindow::place(const QRect& rect) {
    if (m_scene)
        m_scene->setPosition(QPointF(m_frame.topLeft() - rect.topLeft()));
    if (rect == geometry())
        return;
    qCDebug(lcWindow) << "window geometry" << rect << "for the frame" << m_frame
                      << "and the reachable area" << m_reachable;
    setGeometry(rect);
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
    if (m_display == Display::xwayland) {
        // Should a compositor have given us the keyboard after all, it gives
        // it back to the window that had it when the focused
        // override-redirect window goes away.
        hide();
        show();
        raise();
        return;
    }
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
    // Under XWayland the compositor sends the window every event over its
    // rectangle whatever its input shape; an empty shape would only make
    // XWayland hand those events to the root window instead of to us.
    if (m_ignoresMouse && m_display == Display::x11)
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                             window, 0, 0, 0, nullptr);
    else
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, window, 0, 0, XCB_NONE);
    xcb_flush(c);
}

void NotchWindow::mousePressEvent(QMouseEvent* event) {
    // The first click on the panel both focuses it and acts on what it hits.
    // (Where the window takes clicks it lets through elsewhere, those are
    // clicks beside the notch, which close it.)
    if (!m_ignoresMouse)
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
