#include "LinuxDesktop.h"

#include "OwnWindowPointerMonitor.h"
#include "X11Connection.h"
#include "X11DragCounter.h"
#include "X11PointerMonitor.h"
#include "window/DisplayNumber.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QtMath>

namespace zelvik {

namespace {

// The bottom edge of the primary screen: y 0 in screen points.
double flipBase() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return 0;
    const QRect g = primary->geometry();
    return g.y() + g.height();
}

double nativeScale() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->devicePixelRatio() : 1.0;
}

} // namespace

LinuxDesktop::LinuxDesktop(X11Connection& connection, PointerSource pointerSource, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_pointerSource(pointerSource)
    , m_drags(std::make_unique<X11DragCounter>(connection)) {
    m_pointer = toScreenPoints(QPointF(QCursor::pos()));
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        rebuildScreens();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &LinuxDesktop::rebuildScreens,
            Qt::QueuedConnection);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &LinuxDesktop::rebuildScreens);
    rebuildScreens();
}

LinuxDesktop::~LinuxDesktop() = default;

void LinuxDesktop::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &LinuxDesktop::rebuildScreens);
    connect(screen, &QScreen::availableGeometryChanged, this, &LinuxDesktop::rebuildScreens);
}

ScreenDescription LinuxDesktop::describe(const QScreen& screen) {
    ScreenDescription d;
    const QRect geometry = screen.geometry();
    d.frame = toScreenPoints(geometry);
    // Panels that reserve space at the top (struts, _NET_WORKAREA) push the
    // available area down; that band is this screen's menu bar.
    d.statusBarThickness = std::max(0, screen.availableGeometry().top() - geometry.top());
    d.displayNumber = displayNumberForConnector(screen.name().toUtf8());
    const QString model = screen.model().trimmed();
    const QString maker = screen.manufacturer().trimmed();
    if (!model.isEmpty())
        d.name = maker.isEmpty() || model.startsWith(maker) ? model : maker + u' ' + model;
    else
        d.name = screen.name();
    return d;
}

void LinuxDesktop::rebuildScreens() {
    QList<ScreenDescription> screens;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        screens.append(describe(*primary));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            screens.append(describe(*screen));
    m_screens = screens;
    if (m_screensChanged)
        m_screensChanged();
}

int LinuxDesktop::dragChangeCount() const {
    return m_drags->changeCount();
}

void LinuxDesktop::installPointerMonitor(std::function<void(PointerEventType)> handler) {
    m_pointerHandler = std::move(handler);
    if (m_pointerMonitor || m_windowPointerMonitor)
        return;
    if (m_pointerSource == PointerSource::ownWindows) {
        // Until the pointer comes over one of our windows it is nowhere we
        // can see.
        m_pointerKnown = false;
        m_windowPointerMonitor = std::make_unique<OwnWindowPointerMonitor>(
            [this](PointerEventType type, std::optional<QPointF> global) {
                m_pointerKnown = global.has_value();
                if (global) {
                    m_pointer = toScreenPoints(*global);
                    const double scale = nativeScale();
                    m_rootPointer =
                        QPoint(qRound(global->x() * scale), qRound(global->y() * scale));
                }
                if (m_pointerHandler)
                    m_pointerHandler(type);
            });
        return;
    }
    m_pointerMonitor =
        std::make_unique<X11PointerMonitor>([this](PointerEventType type, QPoint root) {
            m_rootPointer = root;
            const double scale = nativeScale();
            m_pointer = toScreenPoints(QPointF(root.x() / scale, root.y() / scale));
            if (m_pointerHandler)
                m_pointerHandler(type);
        });
    m_pointerMonitor->setWatch(m_watch);
}

void LinuxDesktop::setPointerWatch(const QRectF& zone, const std::optional<QRectF>& bounds) {
    const double scale = nativeScale();
    const auto toRoot = [scale](const QRectF& points) {
        const QRect logical = toLogical(points);
        return QRect(qFloor(logical.x() * scale), qFloor(logical.y() * scale),
                     qCeil(logical.width() * scale), qCeil(logical.height() * scale));
    };
    X11PointerMonitor::Watch watch{toRoot(zone), std::nullopt};
    if (bounds)
        watch.bounds = toRoot(*bounds);
    m_watch = watch;
    if (m_pointerMonitor)
        m_pointerMonitor->setWatch(m_watch);
}

void LinuxDesktop::observeScreenChanges(std::function<void()> handler) {
    m_screensChanged = std::move(handler);
}

bool LinuxDesktop::pointerOverOwnWindow() const {
    if (!m_pointerKnown)
        return false;
    // The X server finds the window under the pointer, through other
    // programs' windows down to ours (a tray icon lives inside the tray's
    // window), honouring input shapes.
    const double scale = nativeScale();
    QWindow* window = QGuiApplication::topLevelAt(
        QPoint(qRound(m_rootPointer.x() / scale), qRound(m_rootPointer.y() / scale)));
    if (!window)
        return false;
    // Where the notch window lets clicks through, the click is not its own.
    if (const auto* surface = dynamic_cast<const NotchSurface*>(window))
        return !surface->ignoresMouseEvents();
    return true;
}

QRectF LinuxDesktop::toScreenPoints(const QRect& logical) {
    return {double(logical.x()), flipBase() - (logical.y() + logical.height()),
            double(logical.width()), double(logical.height())};
}

QPointF LinuxDesktop::toScreenPoints(const QPointF& logical) {
    return {logical.x(), flipBase() - logical.y()};
}

QRect LinuxDesktop::toLogical(const QRectF& frame) {
    return QRectF(frame.x(), flipBase() - (frame.y() + frame.height()), frame.width(),
                  frame.height())
        .toRect();
}

} // namespace zelvik
