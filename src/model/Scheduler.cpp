#include "Scheduler.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

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
    auto state = std::make_shared<TaskHandle::State>();
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, state, action = std::move(action)] {
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
    timer->start(std::max(delay, std::chrono::milliseconds(0)));
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
