#include "VirtualTime.h"

#include <algorithm>
#include <cmath>

namespace zelvik::test {

VirtualTime::VirtualTime(ReferenceSeconds wallStart)
    : m_wallOffset(wallStart) {}

ReferenceSeconds VirtualTime::now() const {
    return m_wallOffset + std::chrono::duration<double>(m_uptime).count();
}

TaskHandle VirtualTime::after(std::chrono::milliseconds delay, std::function<void()> action) {
    auto state = std::make_shared<TaskHandle::State>();
    m_tasks.push_back(Task{m_uptime + std::max(delay, std::chrono::milliseconds(0)), m_sequence++,
                           std::move(action), state});
    return TaskHandle(state);
}

void VirtualTime::advance(std::chrono::nanoseconds step) {
    const auto target = m_uptime + step;
    for (;;) {
        auto next =
            std::min_element(m_tasks.begin(), m_tasks.end(), [](const Task& a, const Task& b) {
                return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
            });
        if (next == m_tasks.end() || next->due > target)
            break;
        Task task = std::move(*next);
        m_tasks.erase(next);
        m_uptime = std::max(m_uptime, task.due);
        if (task.state->cancelled)
            continue;
        task.state->finished = true;
        task.action();
    }
    m_uptime = target;
}

void VirtualTime::advanceSeconds(double seconds) {
    advance(std::chrono::nanoseconds(static_cast<long long>(std::llround(seconds * 1e9))));
}

void VirtualTime::advanceMs(double milliseconds) {
    advance(std::chrono::nanoseconds(static_cast<long long>(std::llround(milliseconds * 1e6))));
}

void VirtualTime::setWallTime(ReferenceSeconds wall) {
    m_wallOffset = wall - std::chrono::duration<double>(m_uptime).count();
}

std::size_t VirtualTime::pendingCount() const {
    return static_cast<std::size_t>(std::count_if(
        m_tasks.begin(), m_tasks.end(), [](const Task& t) { return !t.state->cancelled; }));
}

std::chrono::nanoseconds VirtualTime::nextDue() const {
    std::chrono::nanoseconds best{-1};
    for (const Task& t : m_tasks) {
        if (!t.state->cancelled && (best.count() < 0 || t.due < best))
            best = t.due;
    }
    return best;
}

} // namespace zelvik::test
