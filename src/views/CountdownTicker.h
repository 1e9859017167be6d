#pragma once

#include "model/Clock.h"
#include "model/Scheduler.h"

#include <functional>
#include <optional>

namespace zelvik {

// Wakes a countdown view each time its whole-second text would change, and
// at no other time: one scheduler task at a time, and none once the end has
// passed or the view stops following it. A view that is not on screen
// follows nothing, so a hidden countdown costs no wake-ups.
class CountdownTicker {
public:
    explicit CountdownTicker(std::function<void()> onTick);
    ~CountdownTicker();
    CountdownTicker(const CountdownTicker&) = delete;
    CountdownTicker& operator=(const CountdownTicker&) = delete;

    // Follows the countdown to `end` on the given time sources; replaces what
    // was followed before. Nothing is armed when `end` is absent or past.
    void follow(Scheduler& scheduler, const Clock& clock, std::optional<ReferenceSeconds> end);
    void stop();
    bool isArmed() const { return m_task.isPending(); }

    // Seconds until the text of a countdown with `remaining` seconds left
    // (shown rounded up) next changes.
    static double secondsToNextChange(double remaining);

private:
    void arm();

    std::function<void()> m_onTick;
    Scheduler* m_scheduler = nullptr;
    const Clock* m_clock = nullptr;
    std::optional<ReferenceSeconds> m_end;
    TaskHandle m_task;
};

} // namespace zelvik
