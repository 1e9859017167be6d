#pragma once

#include "window/NotchDesktop.h"

#include <QObject>
#include <QPoint>
#include <QRect>

#include <xcb/xcb.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zelvik {

// The system-wide pointer monitor: XInput2 raw motion and button events of
// every master pointer, whichever window they go to. Raw events carry no
// position, so the pointer is asked for once per batch of moves (moves read
// together are reported as one). They carry the physical button, so buttons
// go through the server's pointer mapping (a left-handed user's left button
// is physical button 3), read again whenever the mapping changes.
//
// A mouse sends up to a thousand moves a second, nearly all of them far from
// the notch. They are read on a thread of their own, on a connection of its
// own, so a move wakes neither the main thread nor its event loop; the
// handler runs on the main thread only for what the notch needs to see.
class X11PointerMonitor final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(PointerEventType, QPoint rootPosition)>;
    using Clock = std::chrono::steady_clock;

    // Where exact positions matter, in root pixels: in and near `zone`, and
    // the pointer's leaving `bounds`. Far from both, moves are gathered and
    // the pointer is looked up only as often as a fast hand could reach
    // either (at least every kLongestQuiet), and once more when it stops.
    struct Watch {
        QRect zone;
        std::optional<QRect> bounds;
        bool operator==(const Watch&) const = default;
    };
    // How far a fast hand moves the pointer in a millisecond; a faster one
    // is seen at most kLongestQuiet late.
    static constexpr int kFastPixelsPerMillisecond = 5;
    static constexpr std::chrono::milliseconds kLongestQuiet{50};

    // isActive() is false when the display cannot be reached or has no
    // XInput 2.2.
    explicit X11PointerMonitor(Handler handler, QObject* parent = nullptr);
    ~X11PointerMonitor() override;

    bool isActive() const { return m_active; }
    // The position last reported, in root-window pixels.
    QPoint position() const { return m_position; }

    // How often the pointer was looked up (a round trip to the server).
    int lookupCount() const { return m_lookups; }

    // Without a watch every move is reported.
    void setWatch(const std::optional<Watch>& watch);

    // How long moves from `position` may go unlooked-at under `watch`.
    static Clock::duration quietTime(QPoint position, const std::optional<Watch>& watch);

private:
    struct Report {
        PointerEventType type;
        QPoint position;
    };

    // On the reading thread.
    void run();
    void handleEvent(const xcb_generic_event_t* event);
    void flushMotion(bool force);
    QPoint queryPosition();
    void readButtonMapping();
    void post(PointerEventType type, QPoint position);
    // The logical button (1 is "left") of a physical one.
    std::uint32_t logicalButton(std::uint32_t physical) const;
    void wakeReader();

    // On the main thread.
    void deliver();

    Handler m_handler;
    bool m_active = false;
    QPoint m_position;

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    std::uint8_t m_opcode = 0;
    int m_wakeFd = -1;
    std::thread m_reader;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_lookups{0};

    // The reading thread's own.
    bool m_leftDown = false;
    bool m_motionPending = false;
    Clock::time_point m_quietUntil;
    std::vector<std::uint8_t> m_buttonMap; // [physical - 1] -> logical

    // Shared, under m_mutex.
    std::mutex m_mutex;
    std::optional<Watch> m_watch;
    bool m_watchChanged = false;
    std::deque<Report> m_reports;
};

} // namespace zelvik
