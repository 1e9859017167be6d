#include "X11DragCounter.h"

#include "X11Connection.h"

#include <xcb/xfixes.h>

#include <cstdlib>

namespace zelvik {

X11DragCounter::X11DragCounter(X11Connection& connection) {
    xcb_connection_t* c = connection.connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!extension || !extension->present)
        return;
    // XFixes answers nothing until the client has said which version it speaks.
    std::free(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 5, 0), nullptr));
    m_notifyEvent = static_cast<std::uint8_t>(extension->first_event + XCB_XFIXES_SELECTION_NOTIFY);
    m_selection = connection.internAtom("XdndSelection");
    xcb_xfixes_select_selection_input(c, connection.root(), m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER);
    xcb_flush(c);
    connection.addEventHandler([this](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != m_notifyEvent)
            return;
        const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
        if (notify->selection == m_selection)
            ++m_count;
    });
}

} // namespace zelvik
