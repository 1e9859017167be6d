#include "Scheduler.h"

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
