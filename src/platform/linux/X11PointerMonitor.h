#pragma once

#include "window/NotchDesktop.h"

#include <QPoint>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace zelvik {

class X11Connection;

// The system-wide pointer monitor: XInput2 raw motion and button events of
// every master pointer, whichever window they go to. Raw events carry no
// position, so the pointer is asked for once per batch of moves (moves read
// together are reported as one). They carry the physical button, so buttons
// go through the server's pointer mapping (a left-handed user's left button
// is physical button 3), read again whenever the mapping changes.
class X11PointerMonitor {
public:
    using Handler = std::function<void(PointerEventType, QPoint rootPosition)>;

    // False when the server has no XInput 2.2.
    X11PointerMonitor(X11Connection& connection, Handler handler);

    bool isActive() const { return m_active; }
    // The pointer position last asked for, in root-window pixels.
    QPoint position() const { return m_position; }

private:
    void handleEvent(const xcb_generic_event_t* event);
    void flushMotion();
    void queryPosition();
    void readButtonMapping();
    // The logical button (1 is "left") of a physical one.
    std::uint32_t logicalButton(std::uint32_t physical) const;

    X11Connection& m_connection;
    Handler m_handler;
    bool m_active = false;
    std::uint8_t m_opcode = 0;
    bool m_leftDown = false;
    bool m_motionPending = false;
    QPoint m_position;
    std::vector<std::uint8_t> m_buttonMap; // [physical - 1] -> logical
};

} // namespace zelvik
