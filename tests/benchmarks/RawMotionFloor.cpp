// The floor of the pointer-move benchmark: the least a program can do to
// hear of every pointer move on an X11 desktop. It selects XInput2 raw
// motion on the root window and reads each event, nothing else. Whatever a
// move costs this program (the wake-up, the read) no listener can avoid.
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <poll.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

int main() {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "raw_motion_floor: no X display\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    xcb_discard_reply(c, xcb_input_xi_query_version(c, 2, 2).sequence);
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.bits = XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    xcb_input_xi_select_events(c, it.data->root, 1, &mask.head);
    xcb_flush(c);
    std::puts("ready");
    std::fflush(stdout);
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!xcb_connection_has_error(c)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c))
            std::free(event);
        poll(&fd, 1, -1);
    }
    return 0;
}
