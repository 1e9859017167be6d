#pragma once

#include "Clock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace zelvik {

// A delayed main-thread task. Copies share the task; dropping or replacing a
// handle leaves the task alone, only cancel() stops it. A cancelled task never
// runs its action.
class TaskHandle {
public:
    struct State {
        bool cancelled = false;
        bool finished = false;
        std::function<void()> onCancel; // lets a scheduler release its timer early
    };

    TaskHandle() = default;
    explicit TaskHandle(std::shared_ptr<State> state)
        : m_state(std::move(state)) {}

    void cancel() const;
    bool isValid() const { return m_state != nullptr; }
    bool isCancelled() const { return m_state && m_state->cancelled; }
    bool isPending() const { return m_state && !m_state->cancelled && !m_state->finished; }

private:
    std::shared_ptr<State> m_state;
};

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Runs action on the main thread once delay has passed on a monotonic
    // clock, unless the returned handle was cancelled first.
    virtual TaskHandle after(std::chrono::milliseconds delay, std::function<void()> action) = 0;

    // Runs action on the main thread once `clock` reads `due` or later (a
    // moment of wall time, such as the end of a focus period), unless the
    // returned handle was cancelled first. Timers stop counting while the
    // machine sleeps, so these tasks are checked again at every wake-up
    // (systemResumed): one whose moment passed during the sleep runs then.
    // The clock must outlive the task.
    TaskHandle at(const Clock& clock, ReferenceSeconds due, std::function<void()> action);

    // The machine woke from sleep: every task of at() whose moment has
    // passed runs now, in the order of their moments; the others wait again
    // for the time that is really left.
    void systemResumed();

private:
    struct WallTask;
    void arm(const std::shared_ptr<WallTask>& task);
    void fire(const std::shared_ptr<WallTask>& task);

    std::vector<std::shared_ptr<WallTask>> m_wallTasks;
};

// The program's scheduler: one precise single-shot QTimer per pending task,
// so that nothing wakes the process when no task is pending.
class QtScheduler final : public Scheduler {
public:
    TaskHandle after(std::chrono::milliseconds delay, std::function<void()> action) override;
};

// Converts a duration in (fractional) milliseconds, as the settings store it,
// into a delay. NaN reads as fallback; infinities and every other value are
// clamped to [min, max] so that no stored value can hang or overflow a timer.
std::chrono::milliseconds clampedDelay(double milliseconds, double fallback, double min,
                                       double max);

} // namespace zelvik
