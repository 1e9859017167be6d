#include "X11PointerMonitor.h"

#include <xcb/xinput.h>

#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace zelvik {

X11PointerMonitor::X11PointerMonitor(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler)) {
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return;
    }
    m_connection = c;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    m_root = it.data ? it.data->root : XCB_NONE;

    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present)
        return;
    auto* version =
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 2), nullptr);
    const bool recent = version && (version->major_version > 2 ||
                                    (version->major_version == 2 && version->minor_version >= 2));
    std::free(version);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (!recent || m_wakeFd < 0)
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
    xcb_input_xi_select_events(c, m_root, 1, &mask.head);
    readButtonMapping();
    m_position = queryPosition();
    m_active = true;
    m_reader = std::thread([this] {
        // Named so that its wake-ups can be told from the main thread's.
        pthread_setname_np(pthread_self(), "pointer");
        run();
    });
}

X11PointerMonitor::~X11PointerMonitor() {
    if (m_reader.joinable()) {
        m_stopping = true;
        wakeReader();
        m_reader.join();
    }
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11PointerMonitor::setWatch(const std::optional<Watch>& watch) {
    {
        const std::lock_guard lock(m_mutex);
        if (m_watch == watch)
            return;
        m_watch = watch;
        m_watchChanged = true;
    }
    // Moves gathered under the old watch may matter under the new one.
    wakeReader();
}

X11PointerMonitor::Clock::duration X11PointerMonitor::quietTime(QPoint position,
                                                                const std::optional<Watch>& watch) {
    if (!watch)
        return {};
    const QRect& zone = watch->zone;
    // The pointer reaches a rectangle no sooner than its farther axis allows.
    int distance = std::max({zone.left() - position.x(), position.x() - zone.right(),
                             zone.top() - position.y(), position.y() - zone.bottom(), 0});
    if (watch->bounds) {
        const QRect& b = *watch->bounds;
        distance = std::min(
            {distance, std::max(0, position.x() - b.left()), std::max(0, b.right() - position.x()),
             std::max(0, position.y() - b.top()), std::max(0, b.bottom() - position.y())});
    }
    return std::min<Clock::duration>(
        kLongestQuiet, std::chrono::milliseconds(distance / kFastPixelsPerMillisecond));
}

void X11PointerMonitor::wakeReader() {
    if (m_wakeFd < 0)
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(m_wakeFd, &one, sizeof one);
}

void X11PointerMonitor::run() {
    xcb_flush(m_connection);
    pollfd fds[2] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
    while (!m_stopping) {
        // Read everything there is; a lookup may queue events that arrive
        // before its reply, so go round until nothing is left to do.
        for (;;) {
            bool any = false;
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                any = true;
                handleEvent(event);
                std::free(event);
            }
            bool watchChanged = false;
            {
                const std::lock_guard lock(m_mutex);
                std::swap(watchChanged, m_watchChanged);
            }
            if (watchChanged)
                m_quietUntil = {};
            const bool due = m_motionPending && Clock::now() >= m_quietUntil;
            if (!any && !due)
                break;
            flushMotion(false);
        }
        if (xcb_connection_has_error(m_connection))
            return; // the server went away; the toolkit's connection ends the program
        int timeout = -1;
        if (m_motionPending) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(m_quietUntil - Clock::now());
            timeout = int(std::max<std::chrono::milliseconds::rep>(0, left.count()));
        }
        if (::poll(fds, 2, timeout) > 0 && (fds[1].revents & POLLIN)) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto read = ::read(m_wakeFd, &count, sizeof count);
        }
    }
}

void X11PointerMonitor::readButtonMapping() {
    xcb_connection_t* c = m_connection;
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
        flushMotion(true);
        const bool down = generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS;
        m_leftDown = down;
        const QPoint position = queryPosition();
        m_quietUntil = Clock::now();
        post(down ? PointerEventType::leftMouseDown : PointerEventType::leftMouseUp, position);
        return;
    }
    default:
        return;
    }
}

void X11PointerMonitor::flushMotion(bool force) {
    if (!m_motionPending)
        return;
    // A drag is followed move by move: it may end on the notch at any time.
    const Clock::time_point now = Clock::now();
    if (!force && !m_leftDown && now < m_quietUntil)
        return;
    m_motionPending = false;
    const QPoint position = queryPosition();
    std::optional<Watch> watch;
    {
        const std::lock_guard lock(m_mutex);
        watch = m_watch;
    }
    m_quietUntil = now + quietTime(position, watch);
    post(m_leftDown ? PointerEventType::leftMouseDragged : PointerEventType::mouseMoved, position);
}

QPoint X11PointerMonitor::queryPosition() {
    xcb_connection_t* c = m_connection;
    ++m_lookups;
    auto* reply = xcb_query_pointer_reply(c, xcb_query_pointer(c, m_root), nullptr);
    QPoint position;
    if (reply) {
        position = QPoint(reply->root_x, reply->root_y);
        std::free(reply);
    }
    return position;
}

void X11PointerMonitor::post(PointerEventType type, QPoint position) {
    {
        const std::lock_guard lock(m_mutex);
        // Moves the main thread has not taken yet are one move, to the
        // latest place.
        if (!m_reports.empty() && m_reports.back().type == type &&
            (type == PointerEventType::mouseMoved || type == PointerEventType::leftMouseDragged)) {
            m_reports.back().position = position;
            return;
        }
        m_reports.push_back({type, position});
        if (m_reports.size() > 1)
            return; // a delivery is on its way
    }
    QMetaObject::invokeMethod(this, &X11PointerMonitor::deliver, Qt::QueuedConnection);
}

void X11PointerMonitor::deliver() {
    std::deque<Report> reports;
    {
        const std::lock_guard lock(m_mutex);
        reports.swap(m_reports);
    }
    for (const Report& report : reports) {
        m_position = report.position;
        m_handler(report.type, report.position);
    }
}

} // namespace zelvik
