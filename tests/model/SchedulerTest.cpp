#include "model/Scheduler.h"
#include "support/VirtualTime.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace std::chrono_literals;

TEST(VirtualTime, RunsDueTasksInTimeOrderWithTheClockAtTheirDueTime) {
    test::VirtualTime time(1000.0);
    QList<std::pair<int, double>> runs;
    time.after(300ms, [&] { runs.append({3, time.now()}); });
    time.after(100ms, [&] {
        runs.append({1, time.now()});
        // Scheduled while advancing and due inside the same step.
        time.after(50ms, [&] { runs.append({2, time.now()}); });
    });
    time.after(300ms, [&] { runs.append({4, time.now()}); });
    time.after(301ms, [&] { runs.append({5, time.now()}); });

    time.advance(300ms);
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0], std::make_pair(1, 1000.1));
    EXPECT_EQ(runs[1].first, 2);
    EXPECT_DOUBLE_EQ(runs[1].second, 1000.15);
    EXPECT_EQ(runs[2].first, 3);
    EXPECT_EQ(runs[3].first, 4);
    EXPECT_DOUBLE_EQ(time.now(), 1000.3);
    time.advance(1ms);
    EXPECT_EQ(runs.size(), 5);
}

TEST(VirtualTime, CancelledTasksNeverRunAndReplacedHandlesDoNotCancel) {
    test::VirtualTime time;
    int ran = 0;
    TaskHandle first = time.after(10ms, [&] { ran += 1; });
    TaskHandle kept = first;
    first = time.after(10ms, [&] { ran += 10; }); // the old task still runs
    TaskHandle cancelled = time.after(5ms, [&] { ran += 100; });
    cancelled.cancel();
    EXPECT_TRUE(cancelled.isCancelled());
    EXPECT_TRUE(kept.isPending());
    time.advance(10ms);
    EXPECT_EQ(ran, 11);
    EXPECT_FALSE(kept.isPending());
    kept.cancel(); // cancelling a finished task changes nothing
    EXPECT_FALSE(kept.isCancelled());
}

TEST(QtScheduler, RunsOnTheEventLoopAndNeverAfterCancel) {
    QtScheduler scheduler;
    int ran = 0;
    QEventLoop loop;
    TaskHandle cancelled = scheduler.after(0ms, [&] { ran += 100; });
    scheduler.after(0ms, [&] { ran += 1; });
    scheduler.after(1ms, [&] { loop.quit(); });
    cancelled.cancel();
    EXPECT_EQ(ran, 0); // never synchronously
    loop.exec();
    EXPECT_EQ(ran, 1);
}

TEST(QtScheduler, DelaysBeyondOneTimerDoNotWrapAround) {
    QtScheduler scheduler;
    bool early = false;
    QEventLoop loop;
    // 2^32 + 1 ms truncated to an int timer would be 1 ms.
    TaskHandle far =
        scheduler.after(std::chrono::milliseconds((1LL << 32) + 1), [&] { early = true; });
    scheduler.after(20ms, [&] { loop.quit(); });
    loop.exec();
    EXPECT_FALSE(early);
    EXPECT_TRUE(far.isPending());
    far.cancel();
}

TEST(ClampedDelay, DefinedForEveryDouble) {
    EXPECT_EQ(clampedDelay(std::numeric_limits<double>::quiet_NaN(), 5, 0, 100), 5ms);
    EXPECT_EQ(clampedDelay(-std::numeric_limits<double>::infinity(), 5, 0, 100), 0ms);
    EXPECT_EQ(clampedDelay(1e308, 5, 0, 100), 100ms);
    EXPECT_EQ(clampedDelay(99.99, 5, 0, 100), 99ms);
}
