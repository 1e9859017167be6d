#include "CountdownTicker.h"

#include <chrono>
#include <cmath>

namespace zelvik {

CountdownTicker::CountdownTicker(std::function<void()> onTick)
    : m_onTick(std::move(onTick)) {}

CountdownTicker::~CountdownTicker() {
    m_task.cancel();
}

double CountdownTicker::secondsToNextChange(double remaining) {
    // The text shows ceil(remaining); it changes when remaining falls to the
    // next lower whole number.
    return remaining - (std::ceil(remaining) - 1);
}

void CountdownTicker::follow(Scheduler& scheduler, const Clock& clock,
                             std::optional<ReferenceSeconds> end) {
    m_scheduler = &scheduler;
    m_clock = &clock;
    m_end = end;
    arm();
}

void CountdownTicker::stop() {
    m_task.cancel();
    m_end.reset();
}

void CountdownTicker::arm() {
    m_task.cancel();
    if (!m_end || !m_scheduler || !m_clock)
        return;
    const double remaining = *m_end - m_clock->now();
    if (!std::isfinite(remaining) || remaining <= 0)
        return;
    // Rounded up to whole milliseconds: waking a moment early would find the
    // same text and arm again at once.
    const auto delay = std::chrono::milliseconds(
        static_cast<long long>(std::ceil(secondsToNextChange(remaining) * 1000.0)));
    m_task = m_scheduler->after(delay, [this] {
        m_task = {};
        if (m_onTick)
            m_onTick();
        // The view may have followed a new end while it redrew.
        if (!m_task.isPending())
            arm();
    });
}

} // namespace zelvik
