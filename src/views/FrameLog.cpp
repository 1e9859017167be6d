#include "FrameLog.h"

#include "model/NotchModel.h"

#include <QLoggingCategory>
#include <QQuickWindow>

#include <atomic>
#include <chrono>
#include <memory>

namespace zelvik {

namespace {

Q_LOGGING_CATEGORY(lcFrames, "zelvik.frames", QtWarningMsg)

long long monotonicNanoseconds() {
    // steady_clock is CLOCK_MONOTONIC on Linux.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void logFrames(QQuickWindow& window, const NotchModel& model) {
    const bool first = lcFrames().isInfoEnabled();
    const bool every = lcFrames().isDebugEnabled();
    if (!first && !every)
        return;
    // Both signals come on the render thread with a threaded render loop.
    auto reported = std::make_shared<std::atomic<bool>>(false);
    auto started = std::make_shared<std::atomic<long long>>(0);
    if (every)
        QObject::connect(
            &window, &QQuickWindow::beforeSynchronizing, &window,
            [started] { started->store(monotonicNanoseconds()); }, Qt::DirectConnection);
    QObject::connect(
        &window, &QQuickWindow::frameSwapped, &window,
        [reported, started, every] {
            const long long now = monotonicNanoseconds();
            if (!reported->exchange(true))
                qCInfo(lcFrames, "first-frame %lld", now);
            else if (every)
                qCDebug(lcFrames, "frame %lld %lld", now, now - started->load());
        },
        Qt::DirectConnection);
    if (every)
        QObject::connect(&model, &NotchModel::statusChanged, &window, [&model] {
            qCDebug(lcFrames, "status %s %lld", qPrintable(model.statusName()),
                    monotonicNanoseconds());
        });
}

} // namespace zelvik
