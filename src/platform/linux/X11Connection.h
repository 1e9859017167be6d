#pragma once

#include <QObject>

#include <xcb/xcb.h>

#include <functional>
#include <vector>

class QSocketNotifier;

namespace zelvik {

// A connection to the X server of our own, beside the toolkit's, for the
// desktop-wide listening the notch needs (raw pointer events, the shortcut
// grab, drag starts). Its events are read inside the Qt event loop through a
// socket notifier, so nothing here needs a thread.
class X11Connection : public QObject {
    Q_OBJECT
public:
    using EventHandler = std::function<void(const xcb_generic_event_t*)>;

    // Connects to $DISPLAY; isValid() tells whether that worked.
    explicit X11Connection(QObject* parent = nullptr);
    ~X11Connection() override;

    bool isValid() const { return m_connection != nullptr; }
    xcb_connection_t* connection() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    xcb_atom_t internAtom(const char* name);

    // Every event read is offered to every handler, then each batch of events
    // read together ends with the batch handlers.
    void addEventHandler(EventHandler handler);
    void addBatchEndHandler(std::function<void()> handler);

    // Reads whatever the server has sent already (also called by the notifier).
    void dispatchPending();

private:
    void dispatch(bool readSocket);

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    QSocketNotifier* m_notifier = nullptr;
    std::vector<EventHandler> m_handlers;
    std::vector<std::function<void()>> m_batchEndHandlers;
};

} // namespace zelvik
