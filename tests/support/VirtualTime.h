#pragma once

#include "model/Clock.h"
#include "model/Scheduler.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zelvik::test {

// Clock and scheduler on virtual time. Nothing runs until advance() moves
// time forward; then every due task runs in time order (ties in the order
// they were scheduled), with the clock set to the task's due time. Tasks
// scheduled while advancing run too when they fall due inside the step.
class VirtualTime final : public Clock, public Scheduler {
public:
    // Wall time starts at a fixed, ordinary date.
    explicit VirtualTime(ReferenceSeconds wallStart = 786000000.0);

    ReferenceSeconds now() const override;
    std::chrono::nanoseconds uptime() const override { return m_uptime; }
    TaskHandle after(std::chrono::milliseconds delay, std::function<void()> action) override;

    void advance(std::chrono::nanoseconds step);
    void advanceSeconds(double seconds);
    void advanceMs(double milliseconds);
    // Moves wall time only, as when the user changes the system clock.
    void setWallTime(ReferenceSeconds wall);

    // Tasks scheduled and neither run nor cancelled.
    std::size_t pendingCount() const;
    // Due time (uptime) of the earliest pending task, or -1 ns when none.
    std::chrono::nanoseconds nextDue() const;

private:
    struct Task {
        std::chrono::nanoseconds due;
        std::uint64_t sequence;
        std::function<void()> action;
        std::shared_ptr<TaskHandle::State> state;
    };

    std::chrono::nanoseconds m_uptime{0};
    double m_wallOffset; // wall = offset + uptime
    std::uint64_t m_sequence = 0;
    std::vector<Task> m_tasks;
};

} // namespace zelvik::test
