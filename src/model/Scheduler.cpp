#include "Scheduler.h"

#include "Delays.h"

#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvik {

void TaskHandle::cancel() const {
    if (!m_state || m_state->cancelled || m_state->finished)
        return;
    m_state->cancelled = true;
    if (auto release = std::move(m_state->onCancel)) {
        m_state->onCancel = nullptr;
        release();
    }
}

struct Scheduler::WallTask {
    const Clock* clock = nullptr;
    ReferenceSeconds due = 0;
    std::function<void()> action;
    std::shared_ptr<TaskHandle::State> state;
    TaskHandle leg; // the timer now waiting towards `due`
};

TaskHandle Scheduler::at(const Clock& clock, ReferenceSeconds due, std::function<void()> action) {
    // Tasks that ran or were cancelled are let go here, not while running.
    std::erase_if(m_wallTasks, [](const std::shared_ptr<WallTask>& task) {
        return task->state->cancelled || task->state->finished;
    });
    auto task = std::make_shared<WallTask>();
    task->clock = &clock;
    task->due = due;
    task->action = std::move(action);
    task->state = std::make_shared<TaskHandle::State>();
    task->state->onCancel = [weak = std::weak_ptr<WallTask>(task)] {
        if (const auto t = weak.lock())
            t->leg.cancel();
    };
    m_wallTasks.push_back(task);
    arm(task);
    return TaskHandle(task->state);
}

void Scheduler::arm(const std::shared_ptr<WallTask>& task) {
    task->leg.cancel();
    // Rounded up, so the task never wakes before its moment. A moment
    // further away than one timer can wait is reached in several legs.
    const auto delay = delayFromSeconds(task->due - task->clock->now(), Rounding::up);
    task->leg = after(delay, [this, weak = std::weak_ptr<WallTask>(task)] {
        if (const auto t = weak.lock())
            fire(t);
    });
}

void Scheduler::fire(const std::shared_ptr<WallTask>& task) {
    if (task->state->cancelled || task->state->finished)
        return;
    if (task->clock->now() < task->due) {
        arm(task);
        return;
    }
    task->state->finished = true;
    task->state->onCancel = nullptr;
    task->leg.cancel();
    const auto action = std::move(task->action);
    task->action = nullptr;
    action();
}

void Scheduler::systemResumed() {
    std::vector<std::shared_ptr<WallTask>> pending;
    for (const auto& task : m_wallTasks)
        if (!task->state->cancelled && !task->state->finished)
            pending.push_back(task);
    std::stable_sort(pending.begin(), pending.end(),
                     [](const auto& a, const auto& b) { return a->due < b->due; });
    // Each task is checked against its own clock; one may cancel another.
    for (const auto& task : pending) {
        if (task->state->cancelled || task->state->finished)
            continue;
        if (task->clock->now() >= task->due)
            fire(task);
        else
            arm(task);
    }
}

TaskHandle QtScheduler::after(std::chrono::milliseconds delay, std::function<void()> action) {
    // QTimer counts in int milliseconds (about 24.8 days); a longer delay is
    // waited for in legs instead of wrapping around and firing early.
    constexpr std::chrono::milliseconds maxLeg{std::numeric_limits<int>::max()};
    auto state = std::make_shared<TaskHandle::State>();
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    auto remaining = std::max(delay, std::chrono::milliseconds(0));
    const auto firstLeg = std::min(remaining, maxLeg);
    remaining -= firstLeg;
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, state, remaining, maxLeg, action = std::move(action)]() mutable {
                         if (remaining.count() > 0 && !state->cancelled) {
                             const auto leg = std::min(remaining, maxLeg);
                             remaining -= leg;
                             timer->start(leg);
                             return;
                         }
                         state->onCancel = nullptr;
                         timer->deleteLater();
                         if (state->cancelled)
                             return;
                         state->finished = true;
                         action();
                     });
    state->onCancel = [timer] {
        timer->stop();
        timer->deleteLater();
    };
    timer->start(firstLeg);
    return TaskHandle(state);
}

std::chrono::milliseconds clampedDelay(double milliseconds, double fallback, double min,
                                       double max) {
    double value = std::isnan(milliseconds) ? fallback : milliseconds;
    value = std::clamp(value, min, max);
    // Truncation toward zero; the clamp keeps this well inside the range of long long.
    return std::chrono::milliseconds(static_cast<long long>(value));
}

} // namespace zelvik
