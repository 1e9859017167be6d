#include "X11StackingWatch.h"

#include "X11Connection.h"

#include <QTimer>

namespace zelvik {

X11StackingWatch::X11StackingWatch(X11Connection& connection, std::function<void()> restacked,
                                   QObject* parent)
    : QObject(parent)
    , m_restacked(std::move(restacked)) {
    xcb_connection_t* c = connection.connection();
    if (!c)
        return;
    // Other clients may select on the root too; the event mask is per client.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, connection.root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
}

void X11StackingWatch::handleEvent(const xcb_generic_event_t* event) {
    bool managed = false;
    switch (event->response_type & 0x7f) {
    case XCB_MAP_NOTIFY:
        managed = !reinterpret_cast<const xcb_map_notify_event_t*>(event)->override_redirect;
        break;
    case XCB_CONFIGURE_NOTIFY:
        managed = !reinterpret_cast<const xcb_configure_notify_event_t*>(event)->override_redirect;
        break;
    default:
        return;
    }
    if (!managed || m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        if (m_restacked)
            m_restacked();
    });
}

} // namespace zelvik
