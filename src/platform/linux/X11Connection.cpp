#include "X11Connection.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdlib>
#include <cstring>

namespace zelvik {

X11Connection::X11Connection(QObject* parent)
    : QObject(parent) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    m_root = it.data ? it.data->root : XCB_NONE;
    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11Connection::dispatchPending);
    // A reply we waited for may have pulled events off the socket into xcb's
    // queue, where the notifier cannot see them; look there before sleeping.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { dispatch(false); });
}

X11Connection::~X11Connection() {
    if (m_connection)
        xcb_disconnect(m_connection);
}

xcb_atom_t X11Connection::internAtom(const char* name) {
    if (!m_connection)
        return XCB_NONE;
    const auto cookie =
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(m_connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

void X11Connection::addEventHandler(EventHandler handler) {
    m_handlers.push_back(std::move(handler));
}

void X11Connection::addBatchEndHandler(std::function<void()> handler) {
    m_batchEndHandlers.push_back(std::move(handler));
}

void X11Connection::dispatchPending() {
    dispatch(true);
}

void X11Connection::dispatch(bool readSocket) {
    if (!m_connection)
        return;
    bool any = false;
    while (xcb_generic_event_t* event = readSocket ? xcb_poll_for_event(m_connection)
                                                   : xcb_poll_for_queued_event(m_connection)) {
        any = true;
        for (const EventHandler& handler : m_handlers)
            handler(event);
        std::free(event);
    }
    if (any)
        for (const auto& handler : m_batchEndHandlers)
            handler();
    if (xcb_connection_has_error(m_connection)) {
        // The server went away; the toolkit's own connection ends the program.
        m_notifier->setEnabled(false);
    }
}

} // namespace zelvik
