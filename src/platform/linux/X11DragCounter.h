#pragma once

#include <xcb/xcb.h>

#include <cstdint>

namespace zelvik {

class X11Connection;

// Counts the drags other programs start: each drag-and-drop takes ownership
// of the XdndSelection, which XFixes reports.
class X11DragCounter {
public:
    explicit X11DragCounter(X11Connection& connection);

    int changeCount() const { return m_count; }

private:
    int m_count = 0;
    std::uint8_t m_notifyEvent = 0;
    xcb_atom_t m_selection = XCB_NONE;
};

} // namespace zelvik
