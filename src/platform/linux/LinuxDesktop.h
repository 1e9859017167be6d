#pragma once

#include "X11PointerMonitor.h"
#include "window/NotchDesktop.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QScreen;

namespace zelvik {

class OwnWindowPointerMonitor;
class X11Connection;
class X11DragCounter;

// The desktop as the notch controller sees it: Qt's screens, a pointer
// monitor and the XFixes drag counter, with the y-upwards screen geometry the
// controller works in (origin at the bottom-left corner of the primary
// screen).
class LinuxDesktop final : public QObject, public NotchDesktop {
    Q_OBJECT
public:
    enum class PointerSource {
        // XInput2 raw events on the root window: the pointer everywhere, as
        // on an X11 desktop.
        wholeDesktop,
        // Only the pointer over this program's own windows, as an X11
        // program sees it under a Wayland compositor.
        ownWindows,
    };

    explicit LinuxDesktop(X11Connection& connection,
                          PointerSource pointerSource = PointerSource::wholeDesktop,
                          QObject* parent = nullptr);
    ~LinuxDesktop() override;

    QList<ScreenDescription> screens() const override { return m_screens; }
    QPointF pointerLocation() const override { return m_pointer; }
    bool isPointerLocationKnown() const override { return m_pointerKnown; }
    int dragChangeCount() const override;
    void installPointerMonitor(std::function<void(PointerEventType)> handler) override;
    void observeScreenChanges(std::function<void()> handler) override;
    void setPointerWatch(const QRectF& zone, const std::optional<QRectF>& bounds) override;
    bool pointerOverOwnWindow() const override;

    // Conversions between Qt's logical coordinates (y downwards) and screen
    // points (y upwards).
    static QRectF toScreenPoints(const QRect& logical);
    static QPointF toScreenPoints(const QPointF& logical);
    static QRect toLogical(const QRectF& screenPoints);
    static ScreenDescription describe(const QScreen& screen);

private:
    void rebuildScreens();
    void watchScreen(QScreen* screen);

    X11Connection& m_connection;
    PointerSource m_pointerSource;
    std::unique_ptr<X11DragCounter> m_drags;
    std::unique_ptr<X11PointerMonitor> m_pointerMonitor;
    std::unique_ptr<OwnWindowPointerMonitor> m_windowPointerMonitor;
    std::function<void(PointerEventType)> m_pointerHandler;
    std::function<void()> m_screensChanged;
    QList<ScreenDescription> m_screens;
    QPointF m_pointer;
    bool m_pointerKnown = true;
    // Where the pointer monitor last found the pointer, in root pixels.
    QPoint m_rootPointer;
    std::optional<X11PointerMonitor::Watch> m_watch;
};

} // namespace zelvik
