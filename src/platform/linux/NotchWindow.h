#pragma once

#include "window/NotchDesktop.h"
#include "window/ScrollGestureGrouper.h"

#include "model/Scheduler.h"

#include <QPointer>
#include <QQuickItem>
#include <QQuickView>

#include <optional>

#include <xcb/xcb.h>

namespace zelvik {

class NotchModel;

// The notch panel: a frameless, translucent Qt Quick window that bypasses the
// window manager (so it is neither moved, decorated nor listed in the taskbar
// or the window switcher, and stays on every workspace), kept above other
// windows. Clicks pass through it unless the controller says the pointer is
// in the interaction zone. A mouse-down inside takes the keyboard focus;
// Escape then cancels.
//
// Under a Wayland compositor (through XWayland) the window's input shape is
// ignored: its whole rectangle takes the pointer. There the window shrinks to
// the area the controller says must be reachable, keeping its top centre, so
// the drawing (which hangs from the top centre) stays where it is. And there
// an override-redirect window gets no keys: the compositor's X11 window
// manager keeps the X input focus away from it. So it does not take the
// keyboard from the user's window either, not even on a click.
class NotchWindow final : public QQuickView, public NotchSurface {
    Q_OBJECT
public:
    enum class Display {
        x11,      // an X server of its own: input shapes work
        xwayland, // X11 under a Wayland compositor
    };

    NotchWindow(const QUrl& rootView, NotchModel& model, Scheduler& scheduler,
                Display display = Display::x11);
    ~NotchWindow() override;

    QRectF frame() const override;
    void setFrame(const QRectF& frame) override;
    void orderFrontRegardless() override;
    bool isKeyWindow() const override;
    void resignKeyWindow() override;
    bool ignoresMouseEvents() const override { return m_ignoresMouse; }
    void setIgnoresMouseEvents(bool ignores) override;
    void setReachableArea(const QRectF& area) override;
    bool hasOpenPopup() const override;
    void closePopups() override;

    // Under XWayland: the window's rectangle for a frame and a reachable
    // area, in Qt's logical coordinates (y downwards): the part of the area
    // inside the frame, or the whole frame when there is none.
    static QRect windowGeometry(const QRect& frame, const QRect& area);
    // Under XWayland, a window that grows to the left is first grown to the
    // right and down only, keeping its left edge: the compositor moves a
    // window at once but shows its new size only with the next frame, and
    // meanwhile places the old picture at the new left edge, where it might
    // no longer be under the pointer, which would then leave the window.
    // Grown in two steps, the old picture always covers the old rectangle.
    // Gives the first step, or nothing when one step does.
    static std::optional<QRect> firstGrowthStep(const QRect& current, const QRect& target);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void applyInputShape();
    void applyGeometry();
    void place(const QRect& geometry);
    void frameShown();
    void becomeKey();
    // Under XWayland: marks the window as one that never takes the
    // keyboard (see the constructor).
    void declareNotification();
    // Follows the Qt Quick overlay, where open popups live.
    void watchOverlay();
    void updatePopupState();

    Display m_display;
    Scheduler& m_scheduler;
    bool m_ignoresMouse = false;
    QRect m_frame;
    QRect m_reachable;
    // Under XWayland the views keep the frame's size and hang in the window
    // where the frame would be, whatever part of it the window covers.
    QQuickItem* m_scene = nullptr;
    // The root view there (elsewhere it is the view's own root object).
    QPointer<QQuickItem> m_root;
    // Between the two steps of a growth: waiting for the first step's frame.
    bool m_awaitingFrame = false;
    TaskHandle m_secondStep;
    xcb_window_t m_previousFocus = XCB_NONE;
    QPointer<QQuickItem> m_overlay;
    bool m_popupOpen = false;
    ScrollGestureGrouper m_scrollGroups;
};

} // namespace zelvik
