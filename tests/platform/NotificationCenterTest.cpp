// The focus timer's end notification against a real session bus and a
// notification service of the test's own (python3-dbusmock's notification
// daemon), on virtual time: only the D-Bus round trips are real.
#include "TestServices.h"
#include "model/FocusFakes.h"
#include "model/ModelFixture.h"
#include "platform/linux/FreedesktopNotificationCenter.h"
#include "platform/linux/LogindSleepMonitor.h"

#include <QSignalSpy>
#include <QTest>

using namespace zelvik;
using namespace zelvik::test;

namespace {

constexpr int kAnswerTimeoutMs = 15000;

class NotificationCenterTest : public ModelFixture {
protected:
    static inline PrivateSessionBus* bus = nullptr;
    static inline MockNotificationServer* server = nullptr;

    static void SetUpTestSuite() {
        bus = new PrivateSessionBus;
        if (bus->isRunning())
            server = new MockNotificationServer(*bus);
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
        delete bus;
        bus = nullptr;
    }

    std::unique_ptr<FreedesktopNotificationCenter> center;

    void SetUp() override {
        ASSERT_TRUE(bus->isRunning()) << bus->error().toStdString();
        if (server->isModuleMissing())
            GTEST_SKIP() << server->error().toStdString();
        ASSERT_TRUE(server->isRunning()) << server->error().toStdString();
        server->clearCalls();
        center = std::make_unique<FreedesktopNotificationCenter>(time, time, bus->connection());
        model->setNotificationCenter(center.get());
    }
    void TearDown() override { model.reset(); }

    QList<QVariantList> waitForCalls(const QString& method, int count) {
        QList<QVariantList> calls;
        (void)QTest::qWaitFor(
            [&] {
                calls = server->calls(method);
                return calls.size() >= count;
            },
            kAnswerTimeoutMs);
        return calls;
    }
    bool waitOnScreen(bool shown) {
        const QString id = QStringLiteral("zelvik.focus.end");
        return QTest::qWaitFor([&] { return center->isOnScreen(id) == shown; }, kAnswerTimeoutMs);
    }
};

} // namespace

// Choosing a preset, resetting and pausing withdraw the pending request
// only: the "… is done" already delivered stays on screen and in the list.
TEST_F(NotificationCenterTest, APeriodPostsNothingEarlyThenItsTextsAtTheEndWhichStay) {
    model->startOrPauseFocus();
    time.advanceMs(1499999);
    QTest::qWait(0);
    EXPECT_TRUE(server->calls(QStringLiteral("Notify")).isEmpty());

    time.advanceMs(1);
    const auto posts = waitForCalls(QStringLiteral("Notify"), 1);
    ASSERT_EQ(posts.size(), 1);
    const QVariantList& post = posts.first();
    ASSERT_EQ(post.size(), 8);
    EXPECT_EQ(post.at(0).toString(), QStringLiteral("Zelvik"));
    EXPECT_EQ(post.at(1).toUInt(), 0u);
    EXPECT_EQ(post.at(3).toString(), QStringLiteral("Pomodoro is done"));
    EXPECT_EQ(post.at(4).toString(), QStringLiteral("Time's up, take a short break."));
    EXPECT_EQ(post.at(7).toInt(), -1);
    ASSERT_TRUE(waitOnScreen(true));
    const uint shown = center->shownId(QStringLiteral("zelvik.focus.end"));
    EXPECT_NE(shown, 0u);

    model->resetFocus();
    model->choosePreset({45, QStringLiteral("Deep work")});
    model->startOrPauseFocus();
    time.advanceSeconds(60);
    model->startOrPauseFocus(); // paused: its own request is withdrawn
    time.advanceSeconds(3600);
    QTest::qWait(0);
    EXPECT_EQ(server->calls(QStringLiteral("Notify")).size(), 1);
    EXPECT_TRUE(server->calls(QStringLiteral("CloseNotification")).isEmpty());
    EXPECT_EQ(center->shownId(QStringLiteral("zelvik.focus.end")), shown);
}

// The whole path of a wake-up: logind says the machine woke, and the period
// that ended during the sleep ends with its notification at once. Going to
// sleep is no wake-up.
TEST_F(NotificationCenterTest, LogindsWakeUpEndsAPeriodThatEndedDuringTheSleep) {
    MockLogind logind(*bus);
    ASSERT_TRUE(logind.isRunning()) << logind.error().toStdString();
    LogindSleepMonitor monitor(bus->connection());
    QSignalSpy wakeUps(&monitor, &LogindSleepMonitor::resumed);
    QObject::connect(&monitor, &LogindSleepMonitor::resumed, [this] { time.systemResumed(); });

    model->startOrPauseFocus();
    time.advanceSeconds(100);
    ASSERT_TRUE(logind.announceSleep(true));
    EXPECT_FALSE(QTest::qWaitFor([&] { return !wakeUps.isEmpty(); }, 500));
    time.setWallTime(time.now() + 3600);
    ASSERT_TRUE(logind.announceSleep(false));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !wakeUps.isEmpty(); }, kAnswerTimeoutMs));
    EXPECT_EQ(wakeUps.size(), 1);
    EXPECT_FALSE(model->focus().isRunning());
    EXPECT_EQ(waitForCalls(QStringLiteral("Notify"), 1).size(), 1);
}

TEST_F(NotificationCenterTest, APausedPeriodNeverPostsAndTurkishTextsArePosted) {
    model->startOrPauseFocus();
    time.advanceSeconds(100);
    model->startOrPauseFocus();
    time.advanceSeconds(3600);
    QTest::qWait(0);
    EXPECT_TRUE(server->calls(QStringLiteral("Notify")).isEmpty());
    EXPECT_FALSE(center->isPending(QStringLiteral("zelvik.focus.end")));

    TurkishLanguage turkish;
    model->startOrPauseFocus(); // resumes the remaining 1400 s
    time.advanceSeconds(1400);
    const auto posts = waitForCalls(QStringLiteral("Notify"), 1);
    ASSERT_EQ(posts.size(), 1);
    EXPECT_EQ(posts.first().at(3).toString(), QStringLiteral("Pomodoro bitti"));
    EXPECT_EQ(posts.first().at(4).toString(), QStringLiteral("Süre doldu, kısa bir mola ver."));
}

TEST_F(NotificationCenterTest, TheWorkNoticeStaysThroughTheAutomaticBreakUntilTheBreakReplacesIt) {
    settings.setAutoBreak(true);
    settings.setBreakMinutes(5);
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    ASSERT_EQ(waitForCalls(QStringLiteral("Notify"), 1).size(), 1);
    ASSERT_TRUE(waitOnScreen(true));
    const uint workNotice = center->shownId(QStringLiteral("zelvik.focus.end"));
    EXPECT_NE(workNotice, 0u);
    EXPECT_EQ(model->focus().label, QStringLiteral("Break"));

    time.advanceSeconds(300);
    const auto posts = waitForCalls(QStringLiteral("Notify"), 2);
    ASSERT_EQ(posts.size(), 2);
    EXPECT_EQ(posts.at(1).at(1).toUInt(), workNotice); // replaces the work period's notice
    EXPECT_EQ(posts.at(1).at(3).toString(), QStringLiteral("Break is done"));
    // Back on the work preset, the break's notice stays on screen as well.
    ASSERT_TRUE(waitOnScreen(true));
    EXPECT_TRUE(server->calls(QStringLiteral("CloseNotification")).isEmpty());
    EXPECT_EQ(model->focus().label, QStringLiteral("Pomodoro"));
}

TEST_F(NotificationCenterTest, ARunningPeriodAskedForAgainAfterARestart) {
    model->startOrPauseFocus();
    time.advanceSeconds(1000);
    // The program quits: its timers are gone with it.
    center.reset();
    model = std::make_unique<NotchModel>(NotchModel::Environment{*store, time, time, &haptics});
    center = std::make_unique<FreedesktopNotificationCenter>(time, time, bus->connection());
    model->setNotificationCenter(center.get());
    model->start();
    time.advanceMs(499999);
    QTest::qWait(0);
    EXPECT_TRUE(server->calls(QStringLiteral("Notify")).isEmpty());
    time.advanceMs(1);
    EXPECT_EQ(waitForCalls(QStringLiteral("Notify"), 1).size(), 1);
}

TEST(NotificationCenterWithoutService, PostingToABusWithoutServiceIsSilent) {
    PrivateSessionBus emptyBus;
    ASSERT_TRUE(emptyBus.isRunning()) << emptyBus.error().toStdString();
    VirtualTime time;
    FreedesktopNotificationCenter center(time, time, emptyBus.connection());
    QSignalSpy finished(&center, &FreedesktopNotificationCenter::postFinished);

    static QStringList messages;
    messages.clear();
    const auto previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
    center.add({QStringLiteral("zelvik.focus.end"), QStringLiteral("t"), QStringLiteral("b"), 1});
    time.advanceSeconds(1);
    const bool answered = finished.wait(kAnswerTimeoutMs) || !finished.isEmpty();
    center.remove(QStringLiteral("zelvik.focus.end"));
    qInstallMessageHandler(previous);

    ASSERT_TRUE(answered);
    EXPECT_EQ(finished.first().at(1).toBool(), false);
    EXPECT_FALSE(center.isOnScreen(QStringLiteral("zelvik.focus.end")));
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}
