#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace zelvik {

// One display as the notch placement sees it. Screen geometry is in points
// with y upwards: the origin is the bottom-left corner of the primary screen,
// so a screen's top edge is frame.y() + frame.height().
struct ScreenDescription {
    QRectF frame;
    // Height of the camera housing cutting into the top of the screen; 0 for
    // a screen without one (every screen on Linux reports none).
    double topInset = 0;
    // The menu bar parts left and right of a camera housing, when known.
    std::optional<QRectF> auxiliaryTopLeftArea;
    std::optional<QRectF> auxiliaryTopRightArea;
    std::optional<std::uint32_t> displayNumber;
    // Height of the space panels keep free along the top of this screen.
    double statusBarThickness = 0;
    // The name shown in display pickers.
    QString name;

    double maxY() const { return frame.y() + frame.height(); }
};

// The kinds of pointer events the controller reacts to.
enum class PointerEventType { leftMouseDown, leftMouseUp, mouseMoved, leftMouseDragged };

// One scroll event over the notch window. X11 wheels carry no phases of their
// own; the window groups bursts of wheel events into gestures before they get
// here (see ScrollGestureGrouper).
struct ScrollEvent {
    bool began = false;
    bool ended = false;
    bool cancelled = false;
    bool momentum = false;
    double deltaX = 0;
    double deltaY = 0;
};

// What the controller reads from the desktop: screens, pointer, drags, and
// the system-wide pointer monitor.
class NotchDesktop {
public:
    virtual ~NotchDesktop() = default;

    // Every screen, the primary one first.
    virtual QList<ScreenDescription> screens() const = 0;
    // The pointer in screen points, y upwards.
    virtual QPointF pointerLocation() const = 0;
    // False while the pointer is where this program cannot follow it (over
    // another program's window, on a desktop that shows each program only
    // its own pointer events); pointerLocation() is then the last place it
    // was seen, and the pointer counts as on none of the program's areas.
    virtual bool isPointerLocationKnown() const { return true; }
    // Grows each time another program starts a drag-and-drop.
    virtual int dragChangeCount() const = 0;
    // Reports every left button press and release and every pointer move on
    // the whole desktop, on the main thread (where the desktop shows this
    // program only the pointer over its own windows: those, and the
    // pointer's leaving them).
    virtual void installPointerMonitor(std::function<void(PointerEventType)> handler) = 0;
    // Where the pointer has to be followed exactly, in screen points: in and
    // near `zone`, and its leaving `bounds` when given. Farther away, moves
    // may be reported late (a few hundredths of a second) and gathered, so
    // that a mouse crossing the screen costs next to nothing.
    virtual void setPointerWatch(const QRectF& zone, const std::optional<QRectF>& bounds) {
        (void)zone;
        (void)bounds;
    }
    // Called on the main thread whenever screens come, go or change geometry.
    virtual void observeScreenChanges(std::function<void()> handler) = 0;
    // Whether the pointer is over a window of this program that takes the
    // click there (the tray icon, the settings window, the notch window where
    // it does not let clicks through). A click there is no click in another
    // application.
    virtual bool pointerOverOwnWindow() const { return false; }
};

// The notch window, as the controller drives it. Frames are in screen points,
// y upwards.
class NotchSurface {
public:
    virtual ~NotchSurface() = default;

    virtual QRectF frame() const = 0;
    virtual void setFrame(const QRectF& frame) = 0;
    // Shows the window above everything else, without taking focus.
    virtual void orderFrontRegardless() = 0;
    // True while the window has the keyboard focus.
    virtual bool isKeyWindow() const = 0;
    // Hands the keyboard focus back to the window that had it before ours.
    virtual void resignKeyWindow() = 0;
    // While true every click passes through the window to what lies below.
    virtual bool ignoresMouseEvents() const = 0;
    virtual void setIgnoresMouseEvents(bool ignores) = 0;
    // The part of the frame, in screen points, that has to show the notch
    // and take the pointer: the interaction zone while the notch is closed
    // and still, the whole frame otherwise. A window whose clicks pass
    // through where it ignores mouse events needs nothing of this; one on a
    // desktop that gives the window's whole rectangle every click (an X11
    // window under a Wayland compositor) shrinks to it, keeping its top
    // centre where it is.
    virtual void setReachableArea(const QRectF& area) { (void)area; }
    // A popup of the notch (its context menu) is open. It may reach beyond
    // the interaction zone; while it is open the whole window takes input.
    virtual bool hasOpenPopup() const { return false; }
    virtual void closePopups() {}

    // Escape pressed while the window has focus.
    std::function<void()> onCancel;
    // Scroll events over the window.
    std::function<void(const ScrollEvent&)> onScroll;
    // A popup opened or closed.
    std::function<void()> onPopupsChanged;
};

} // namespace zelvik
