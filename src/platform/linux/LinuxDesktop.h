#pragma once

#include "window/NotchDesktop.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QScreen;

namespace zelvik {

class X11Connection;
class X11DragCounter;
class X11PointerMonitor;

// The desktop as the notch controller sees it: Qt's screens, the XInput2
// pointer monitor and the XFixes drag counter, with the y-upwards screen
// geometry the controller works in (origin at the bottom-left corner of the
// primary screen).
class LinuxDesktop final : public QObject, public NotchDesktop {
    Q_OBJECT
public:
    explicit LinuxDesktop(X11Connection& connection, QObject* parent = nullptr);
    ~LinuxDesktop() override;

    QList<ScreenDescription> screens() const override { return m_screens; }
    QPointF pointerLocation() const override { return m_pointer; }
    int dragChangeCount() const override;
    void installPointerMonitor(std::function<void(PointerEventType)> handler) override;
    void observeScreenChanges(std::function<void()> handler) override;
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
    std::unique_ptr<X11DragCounter> m_drags;
    std::unique_ptr<X11PointerMonitor> m_pointerMonitor;
    std::function<void(PointerEventType)> m_pointerHandler;
    std::function<void()> m_screensChanged;
    QList<ScreenDescription> m_screens;
    QPointF m_pointer;
    // Where the pointer monitor last found the pointer, in root pixels.
    QPoint m_rootPointer;
};

} // namespace zelvik
