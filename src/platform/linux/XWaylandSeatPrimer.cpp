#include "XWaylandSeatPrimer.h"

#include "X11Connection.h"

namespace zelvik {

XWaylandSeatPrimer::XWaylandSeatPrimer(X11Connection& connection, Scheduler& scheduler)
    : m_connection(connection) {
    xcb_connection_t* c = connection.connection();
    if (!c)
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    m_window = xcb_generate_id(c);
    // Override-redirect, so no window manager places or decorates it; no
    // window type, so the compositor counts it as one that takes the
    // keyboard.
    const std::uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, m_window, connection.root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(c, m_window);
    xcb_flush(c);
    m_withdrawal = scheduler.after(kShownFor, [this] { withdraw(); });
}

XWaylandSeatPrimer::~XWaylandSeatPrimer() {
    m_withdrawal.cancel();
    withdraw();
}

void XWaylandSeatPrimer::withdraw() {
    xcb_connection_t* c = m_connection.connection();
    if (!c || m_window == XCB_NONE)
        return;
    xcb_destroy_window(c, m_window);
    xcb_flush(c);
    m_window = XCB_NONE;
}

} // namespace zelvik
