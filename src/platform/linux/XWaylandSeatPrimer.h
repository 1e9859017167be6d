#pragma once

#include "model/Scheduler.h"

#include <xcb/xcb.h>

namespace zelvik {

class X11Connection;

// Lets XWayland join the Wayland seat. wlroots-based compositors (sway) tie
// XWayland to the seat only when one of its windows takes the keyboard, and
// until then a drag from a Wayland program never reaches an X11 window: a
// file dragged from the file manager could not be dropped on the notch. The
// notch window itself never takes the keyboard, so a one-pixel window that
// does is shown for a moment at start and goes again; the compositor then
// gives the keyboard back to the window that had it. Compositors that do not
// focus such windows (they never focus override-redirect windows) see
// nothing of it.
class XWaylandSeatPrimer {
public:
    // How long the window stays: long enough for the compositor to show
    // it, which happens when XWayland hands over its first picture.
    static constexpr std::chrono::milliseconds kShownFor{400};

    XWaylandSeatPrimer(X11Connection& connection, Scheduler& scheduler);
    ~XWaylandSeatPrimer();

    XWaylandSeatPrimer(const XWaylandSeatPrimer&) = delete;
    XWaylandSeatPrimer& operator=(const XWaylandSeatPrimer&) = delete;

private:
    void withdraw();

    X11Connection& m_connection;
    xcb_window_t m_window = XCB_NONE;
    TaskHandle m_withdrawal;
};

} // namespace zelvik
