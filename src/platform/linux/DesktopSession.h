#pragma once

#include <QByteArray>

#include <chrono>

namespace zelvik {

// The kind of desktop session Zelvik was started in, and what that means for
// how it reaches the screen. Zelvik is an X11 program; in a Wayland session
// it runs through the session's XWayland.
class DesktopSession {
public:
    enum class Kind { x11, wayland };

    // A Wayland session names its display to its programs (WAYLAND_DISPLAY);
    // one reached from elsewhere (a terminal of another session) still says
    // what it is (XDG_SESSION_TYPE).
    static Kind detect(const QByteArray& waylandDisplay, const QByteArray& sessionType);
    // From this process's environment.
    static Kind current();

    // The Qt platform to run on, given the one asked for in QT_QPA_PLATFORM
    // (empty when unset). The notch window needs X11: a request for Wayland
    // (many Wayland desktops set one for every program) is overridden, any
    // other explicit choice (offscreen for tests) is kept.
    static QByteArray platformFor(const QByteArray& requested);

    enum class XServerCheck {
        reachable,
        noDisplay, // DISPLAY is not set
        refused,   // nothing accepts connections on DISPLAY
        noAnswer,  // something accepts but the X server never answers
    };
    // Opens and closes a connection to $DISPLAY, waiting at most `timeout`
    // for the server's answer, so that a hung server cannot hang the start.
    static XServerCheck checkXServer(std::chrono::milliseconds timeout);
};

} // namespace zelvik
