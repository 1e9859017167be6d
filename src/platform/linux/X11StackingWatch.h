#pragma once

#include <QObject>

#include <xcb/xcb.h>

#include <functional>

namespace zelvik {

class X11Connection;

// Reports when a window the window manager handles is mapped or restacked,
// so the notch can put itself back on top: a window bypassing the manager
// is not kept above the windows it raises later. Windows that bypass the
// manager themselves (menus, tooltips, our own) are left alone. Reports made
// within one pass of the event loop are folded into one.
class X11StackingWatch : public QObject {
    Q_OBJECT
public:
    X11StackingWatch(X11Connection& connection, std::function<void()> restacked,
                     QObject* parent = nullptr);

private:
    void handleEvent(const xcb_generic_event_t* event);

    std::function<void()> m_restacked;
    bool m_pending = false;
};

} // namespace zelvik
