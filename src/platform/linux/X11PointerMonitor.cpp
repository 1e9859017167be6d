#include "X11PointerMonitor.h"

#include "X11Connection.h"

#include <xcb/xinput.h>

#include <cstdlib>

namespace zelvik {

X11PointerMonitor::X11PointerMonitor(X11Connection& connection, Handler handler)
    : m_connection(connection)
    , m_handler(std::move(handler)) {
    xcb_connection_t* c = connection.connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present)
        return;
    auto* version =
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr);
    const bool recent = version && (version->major_version > 2 ||
                                    (version->major_version == 2 && version->minor_version >= 2));
    std::free(version);
    if (!recent)
        return;
    m_opcode = extension->major_opcode;

    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{};
    // All master devices: XIAllDevices would report every event twice.
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.bits = XCB_INPUT_XI_EVENT_MASK_RAW_MOTION | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS |
                XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
    xcb_input_xi_select_events(c, connection.root(), 1, &mask.head);
    xcb_flush(c);
    m_active = true;
    readButtonMapping();
    queryPosition();

    connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
    connection.addBatchEndHandler([this] { flushMotion(); });
}

void X11PointerMonitor::readButtonMapping() {
    xcb_connection_t* c = m_connection.connection();
    auto* reply = xcb_get_pointer_mapping_reply(c, xcb_get_pointer_mapping(c), nullptr);
    m_buttonMap.clear();
    if (reply) {
        const std::uint8_t* map = xcb_get_pointer_mapping_map(reply);
        m_buttonMap.assign(map, map + xcb_get_pointer_mapping_map_length(reply));
        std::free(reply);
    }
}

std::uint32_t X11PointerMonitor::logicalButton(std::uint32_t physical) const {
    if (physical >= 1 && physical <= m_buttonMap.size())
        return m_buttonMap[physical - 1];
    return physical;
}

void X11PointerMonitor::handleEvent(const xcb_generic_event_t* event) {
    // Sent to every client when someone (xmodmap, the desktop's mouse
    // settings) changes the button mapping.
    if ((event->response_type & 0x7f) == XCB_MAPPING_NOTIFY) {
        const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (mapping->request == XCB_MAPPING_POINTER)
            readButtonMapping();
        return;
    }
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
        return;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != m_opcode)
        return;
    switch (generic->event_type) {
    case XCB_INPUT_RAW_MOTION:
        m_motionPending = true;
        return;
    case XCB_INPUT_RAW_BUTTON_PRESS:
    case XCB_INPUT_RAW_BUTTON_RELEASE: {
        const auto* button = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
        // Wheels and the other buttons are not watched.
        if (logicalButton(button->detail) != 1)
            return;
        // Moves that came before the button count first, where they happened.
        flushMotion();
        const bool down = generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS;
        m_leftDown = down;
        queryPosition();
        m_handler(down ? PointerEventType::leftMouseDown : PointerEventType::leftMouseUp,
                  m_position);
        return;
    }
    default:
        return;
    }
}

void X11PointerMonitor::flushMotion() {
    if (!m_motionPending)
        return;
    m_motionPending = false;
    queryPosition();
    m_handler(m_leftDown ? PointerEventType::leftMouseDragged : PointerEventType::mouseMoved,
              m_position);
}

void X11PointerMonitor::queryPosition() {
    xcb_connection_t* c = m_connection.connection();
    auto* reply = xcb_query_pointer_reply(c, xcb_query_pointer(c, m_connection.root()), nullptr);
    if (reply) {
        m_position = QPoint(reply->root_x, reply->root_y);
        std::free(reply);
    }
}

} // namespace zelvik
