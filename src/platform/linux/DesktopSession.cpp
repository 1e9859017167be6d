#include "DesktopSession.h"

#include <xcb/xcb.h>

#include <future>
#include <memory>
#include <thread>

namespace zelvik {

DesktopSession::Kind DesktopSession::detect(const QByteArray& waylandDisplay,
                                            const QByteArray& sessionType) {
    if (!waylandDisplay.isEmpty() || sessionType.trimmed().toLower() == "wayland")
        return Kind::wayland;
    return Kind::x11;
}

DesktopSession::Kind DesktopSession::current() {
    return detect(qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"));
}

QByteArray DesktopSession::platformFor(const QByteArray& requested) {
    // Qt's platform names may carry options after a colon ("wayland:...").
    const qsizetype options = requested.indexOf(':');
    const QByteArray name = (options < 0 ? requested : requested.left(options)).trimmed().toLower();
    if (name.isEmpty() || name.startsWith("wayland"))
        return QByteArrayLiteral("xcb");
    return requested;
}

DesktopSession::XServerCheck DesktopSession::checkXServer(std::chrono::milliseconds timeout) {
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return XServerCheck::noDisplay;
    // xcb_connect blocks until the server sends its setup. A compositor that
    // starts XWayland on the first connection answers within a moment; a
    // server that never answers would block for ever, so the connection is
    // made on a thread of its own that is left behind if it takes too long.
    auto answer = std::make_shared<std::promise<bool>>();
    std::future<bool> reachable = answer->get_future();
    std::thread([answer, display] {
        xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
        const bool ok = !xcb_connection_has_error(connection);
        xcb_disconnect(connection);
        answer->set_value(ok);
    }).detach();
    if (reachable.wait_for(timeout) != std::future_status::ready)
        return XServerCheck::noAnswer;
    return reachable.get() ? XServerCheck::reachable : XServerCheck::refused;
}

} // namespace zelvik
