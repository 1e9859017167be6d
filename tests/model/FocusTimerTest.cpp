#include "model/FocusTimer.h"
#include "FocusFakes.h"
#include "ModelFixture.h"
#include "model/FocusStore.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>

#include <cmath>
#include <limits>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class FocusTimerTest : public ModelFixture {
protected:
    RecordingNotifications notifications;
    RecordingSounds sounds;

    void SetUp() override { attach(*model); }

    void attach(NotchModel& m) {
        m.setNotificationCenter(&notifications);
        m.setSoundPlayer(&sounds);
    }

    // A second model on the same store, as after a restart of the program.
    std::unique_ptr<NotchModel> restart() {
        model.reset();
        auto next =
            std::make_unique<NotchModel>(NotchModel::Environment{*store, time, time, &haptics});
        attach(*next);
        return next;
    }

    QJsonObject storedJson() const {
        const auto bytes = store->bytesValue(QStringLiteral("focus"));
        return bytes ? QJsonDocument::fromJson(*bytes).object() : QJsonObject();
    }
    void storeJson(const char* json) { store->setValue(QStringLiteral("focus"), QByteArray(json)); }
    QString hudTitle() const { return model->hud() ? model->hud()->title : QString(); }
};

} // namespace

TEST_F(FocusTimerTest, StartingWithNothingStoredRunsTheDefaultPomodoro) {
    const ReferenceSeconds start = time.now();
    EXPECT_EQ(model->focus(), FocusState{});
    model->startOrPauseFocus();

    const QJsonObject json = storedJson();
    EXPECT_EQ(json.keys(), (QStringList{"duration", "endDate", "label"}));
    EXPECT_EQ(json.value("label").toString(), QStringLiteral("Pomodoro"));
    EXPECT_EQ(json.value("duration").toDouble(), 1500);
    EXPECT_EQ(json.value("endDate").toDouble(), start + 1500);
    EXPECT_EQ(model->focus().endDate, start + 1500);
    EXPECT_EQ(model->closedActivity(), ClosedActivity::focus);

    EXPECT_EQ(notifications.authorizations, 1);
    ASSERT_EQ(notifications.added.size(), 1);
    const NotificationRequest& request = notifications.added.first();
    EXPECT_EQ(request.identifier, QStringLiteral("zelvik.focus.end"));
    EXPECT_EQ(request.title, QStringLiteral("Pomodoro is done"));
    EXPECT_EQ(request.body, QStringLiteral("Time's up, take a short break."));
    EXPECT_EQ(request.timeInterval, 1500);

    time.advanceMs(1499999);
    EXPECT_TRUE(model->focus().isRunning());
    EXPECT_TRUE(sounds.played.isEmpty());
    time.advanceMs(1);
    EXPECT_EQ(model->focus(), FocusState{});
    EXPECT_EQ(storedJson().keys(), (QStringList{"duration", "label"}));
    EXPECT_EQ(sounds.played, QStringList{"Glass"});
    EXPECT_EQ(hudTitle(), QStringLiteral("Pomodoro done, time for a break"));
    EXPECT_FALSE(model->closedActivity());
    EXPECT_FALSE(model->workPreset());
    // The end itself withdraws nothing: the notification is due right now.
    EXPECT_TRUE(notifications.removed.isEmpty());
}

TEST_F(FocusTimerTest, PauseKeepsTheRemainingTimeAndResumeRunsExactlyThat) {
    model->startOrPauseFocus();
    time.advanceSeconds(887.6);
    model->startOrPauseFocus();
    EXPECT_TRUE(model->focus().isPaused());
    EXPECT_NEAR(*model->focus().pausedRemaining, 612.4, 1e-6);
    EXPECT_EQ(storedJson().keys(), (QStringList{"duration", "label", "pausedRemaining"}));
    EXPECT_EQ(notifications.log, (QStringList{"authorize", "add", "authorize", "remove"}));
    EXPECT_FALSE(model->hasPendingFocusEnd());
    EXPECT_FALSE(model->closedActivity()); // a paused timer shows no wings

    time.advanceSeconds(3600);
    EXPECT_TRUE(sounds.played.isEmpty());

    const ReferenceSeconds resumedAt = time.now();
    model->startOrPauseFocus();
    EXPECT_EQ(storedJson().keys(), (QStringList{"duration", "endDate", "label"}));
    EXPECT_NEAR(*model->focus().endDate, resumedAt + 612.4, 1e-6);
    EXPECT_NEAR(notifications.added.last().timeInterval, 612.4, 1e-6);
    time.advanceMs(612399);
    EXPECT_TRUE(model->focus().isRunning());
    time.advanceMs(1);
    EXPECT_FALSE(model->focus().isRunning());
    EXPECT_EQ(sounds.played.size(), 1);
}

TEST_F(FocusTimerTest, APausedRecordWithNothingLeftResumesWithTheFullDuration) {
    storeJson(R"({"label":"Pomodoro","duration":1500,"pausedRemaining":0})");
    model = restart();
    EXPECT_TRUE(model->focus().isPaused());
    model->startOrPauseFocus();
    EXPECT_EQ(*model->focus().endDate, time.now() + 1500);
}

TEST_F(FocusTimerTest, ARestartBeforeTheEndRearmsTaskAndNotification) {
    model->startOrPauseFocus();
    const ReferenceSeconds end = *model->focus().endDate;
    time.advanceSeconds(600);
    model = restart();
    EXPECT_EQ(model->focus().endDate, end);
    EXPECT_FALSE(model->hasPendingFocusEnd());
    notifications.added.clear();
    model->start();
    EXPECT_TRUE(model->hasPendingFocusEnd());
    ASSERT_EQ(notifications.added.size(), 1);
    EXPECT_EQ(notifications.added.first().timeInterval, 900);
    time.advanceMs(899999);
    EXPECT_TRUE(sounds.played.isEmpty());
    time.advanceMs(1);
    EXPECT_EQ(sounds.played, QStringList{"Glass"});
    EXPECT_FALSE(model->focus().isRunning());
}

TEST_F(FocusTimerTest, ARestartAfterTheEndRunsNoEndHandlingAndTheNextStartIsFull) {
    model->startOrPauseFocus();
    const ReferenceSeconds end = *model->focus().endDate;
    model = restart();
    time.advanceSeconds(2000);
    notifications.added.clear();
    model->start();
    EXPECT_FALSE(model->hasPendingFocusEnd());
    EXPECT_TRUE(notifications.added.isEmpty());
    EXPECT_EQ(model->focus().endDate, end); // the past end date stays stored
    EXPECT_FALSE(model->closedActivity());
    time.advanceSeconds(100);
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_FALSE(model->hud());

    model->startOrPauseFocus();
    EXPECT_EQ(*model->focus().endDate, time.now() + 1500);
}

TEST_F(FocusTimerTest, ChoosingAPresetWhileRunningStopsIt) {
    model->startOrPauseFocus();
    time.advanceSeconds(10);
    const FocusPreset deepWork = focusPresets().at(2);
    EXPECT_EQ(deepWork, (FocusPreset{45, QStringLiteral("Deep work")}));
    model->choosePreset(deepWork);
    EXPECT_EQ(model->focus(), (FocusState{QStringLiteral("Deep work"), 2700, {}, {}}));
    EXPECT_EQ(notifications.removed, QStringList{"zelvik.focus.end"});
    EXPECT_FALSE(model->hasPendingFocusEnd());
    time.advanceSeconds(3000);
    EXPECT_TRUE(sounds.played.isEmpty());
    EXPECT_FALSE(model->workPreset());
}

TEST_F(FocusTimerTest, ResetKeepsLabelAndDurationAndWithdrawsTheNotification) {
    model->choosePreset(focusPresets().at(0));
    model->startOrPauseFocus();
    notifications.removed.clear();
    model->resetFocus();
    EXPECT_EQ(model->focus(), (FocusState{QStringLiteral("Short focus"), 900, {}, {}}));
    EXPECT_EQ(notifications.removed, QStringList{"zelvik.focus.end"});
    EXPECT_FALSE(model->hasPendingFocusEnd());
}

TEST_F(FocusTimerTest, AnAutomaticBreakFollowsWorkAndLeadsBackToIt) {
    settings.setAutoBreak(true);
    settings.setBreakMinutes(5);
    model->choosePreset({45, QStringLiteral("Deep work")});
    model->startOrPauseFocus();
    notifications.log.clear();

    time.advanceSeconds(2700);
    EXPECT_EQ(hudTitle(), QStringLiteral("Deep work done, time for a break"));
    EXPECT_EQ(model->workPreset(), (FocusPreset{45, QStringLiteral("Deep work")}));
    EXPECT_EQ(model->focus().label, QStringLiteral("Break"));
    EXPECT_EQ(model->focus().duration, 300);
    EXPECT_EQ(model->focus().endDate, time.now() + 300);
    // The work period's notification is not withdrawn; the break's is added.
    EXPECT_EQ(notifications.log, QStringList{"add"});
    EXPECT_EQ(notifications.added.last().title, QStringLiteral("Break is done"));

    time.advanceSeconds(300);
    EXPECT_EQ(notifications.log, QStringList{"add"}); // the break's stays too
    EXPECT_EQ(hudTitle(), QStringLiteral("Break's over, back to work"));
    EXPECT_EQ(model->focus(), (FocusState{QStringLiteral("Deep work"), 2700, {}, {}}));
    EXPECT_FALSE(model->workPreset());
    EXPECT_FALSE(model->hasPendingFocusEnd());
    EXPECT_EQ(sounds.played, (QStringList{"Glass", "Glass"}));
}

TEST_F(FocusTimerTest, ATurkishBreakIsRecognisedAsABreak) {
    TurkishLanguage turkish;
    settings.setAutoBreak(true);
    settings.setBreakMinutes(1);
    model->choosePreset(focusPresets().at(2));
    EXPECT_EQ(model->focus().label, QStringLiteral("Derin iş"));
    model->startOrPauseFocus();
    EXPECT_EQ(notifications.added.last().title, QStringLiteral("Derin iş bitti"));
    EXPECT_EQ(notifications.added.last().body, QStringLiteral("Süre doldu, kısa bir mola ver."));
    time.advanceSeconds(2700);
    EXPECT_EQ(model->focus().label, QStringLiteral("Mola"));
    time.advanceSeconds(60);
    EXPECT_EQ(hudTitle(), QStringLiteral("Mola bitti, işe dönme zamanı"));
    EXPECT_EQ(model->focus().label, QStringLiteral("Derin iş"));
}

TEST_F(FocusTimerTest, AThirtySecondPeriodReturnsToAOneMinutePreset) {
    settings.setAutoBreak(true);
    storeJson(R"({"label":"Sprint","duration":30})");
    model = restart();
    model->startOrPauseFocus();
    time.advanceSeconds(30);
    EXPECT_EQ(model->workPreset(), (FocusPreset{1, QStringLiteral("Sprint")}));
}

TEST_F(FocusTimerTest, ABreakSettingOfNoLengthStillGivesABreakThatEnds) {
    settings.setAutoBreak(true);
    settings.setBreakMinutes(0);
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    EXPECT_EQ(model->focus().duration, 60);
    time.advanceSeconds(60);
    EXPECT_EQ(model->focus().label, QStringLiteral("Pomodoro"));
    EXPECT_FALSE(model->workPreset());
}

TEST_F(FocusTimerTest, APeriodEndingWhileOpenResetsAndSoundsButShowsNoNotice) {
    model->startOrPauseFocus();
    model->open(std::nullopt);
    time.advanceSeconds(1500);
    EXPECT_FALSE(model->focus().isRunning());
    EXPECT_EQ(sounds.played, QStringList{"Glass"});
    EXPECT_FALSE(model->hud());
}

TEST_F(FocusTimerTest, TheEndSoundFollowsTheSetting) {
    settings.setFocusSound(QString());
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    EXPECT_TRUE(sounds.played.isEmpty());
    settings.setFocusSound(QStringLiteral("Submarine"));
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    EXPECT_EQ(sounds.played, QStringList{"Submarine"});
}

TEST_F(FocusTimerTest, APeriodLongerThanOneTimerEndsOnTime) {
    const double thirtyDays = 30 * 86400.0;
    storeJson(QStringLiteral(R"({"label":"Long","duration":%1})").arg(thirtyDays).toUtf8());
    model = restart();
    model->startOrPauseFocus();
    time.advanceSeconds(thirtyDays - 0.001);
    EXPECT_TRUE(model->focus().isRunning());
    time.advanceMs(1);
    EXPECT_FALSE(model->focus().isRunning());
    EXPECT_EQ(sounds.played.size(), 1);
}

// Timers stand still while the machine sleeps, but the end of a period is a
// moment of wall time: after a wake-up the period ends at that moment, and
// one whose end passed during the sleep ends at once.
TEST_F(FocusTimerTest, AfterASleepAPeriodEndsAtItsMomentNotLateByTheSleep) {
    settings.setAutoBreak(true);
    settings.setBreakMinutes(5);
    model->startOrPauseFocus();
    const ReferenceSeconds end = *model->focus().endDate;
    time.advanceSeconds(100);
    // Ten minutes asleep: the wall clock went on, no timer did.
    time.setWallTime(time.now() + 600);
    time.systemResumed();
    EXPECT_TRUE(model->focus().isRunning());
    time.advanceSeconds(end - time.now() - 0.001);
    EXPECT_TRUE(model->focus().isRunning());
    time.advanceMs(1);
    EXPECT_EQ(hudTitle(), QStringLiteral("Pomodoro done, time for a break"));
    EXPECT_EQ(model->focus().label, QStringLiteral("Break"));

    // Asleep through the end of the break: it ends on waking, with its sound
    // and notice, and the wings do not stay behind at 00:00.
    time.advanceSeconds(60);
    time.setWallTime(time.now() + 3600);
    QSignalSpy wings(model.get(), &NotchModel::closedActivityChanged);
    time.systemResumed();
    EXPECT_EQ(wings.count(), 1);
    EXPECT_EQ(hudTitle(), QStringLiteral("Break's over, back to work"));
    EXPECT_EQ(model->focus(), (FocusState{QStringLiteral("Pomodoro"), 1500, {}, {}}));
    EXPECT_EQ(sounds.played, (QStringList{"Glass", "Glass"}));
    EXPECT_FALSE(model->hasPendingFocusEnd());
    EXPECT_FALSE(model->closedActivity());
}

TEST_F(FocusTimerTest, AHandWrittenRecordIsRead) {
    // As a user or an older version would leave it in the settings file.
    const QString path = store->filePath();
    store.reset();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\n"
               "focus=\"@ByteArray({ \\\"pausedRemaining\\\": 312.5, \\\"duration\\\": 2700, "
               "\\\"label\\\": \\\"Deep work\\\", \\\"note\\\": \\\"kept\\\" })\"\n");
    file.close();
    store = std::make_unique<DefaultsStore>(path);
    FocusStore focusStore(*store, time);
    EXPECT_EQ(focusStore.loadFocus(),
              (FocusState{QStringLiteral("Deep work"), 2700, std::nullopt, 312.5}));

    // The same object stored as text rather than bytes.
    store->setValue(QStringLiteral("focus"),
                    QStringLiteral(R"({"label":"Pomodoro","duration":1500,"endDate":786000100})"));
    EXPECT_EQ(focusStore.loadFocus(),
              (FocusState{QStringLiteral("Pomodoro"), 1500, 786000100.0, std::nullopt}));
}

TEST_F(FocusTimerTest, UnreadableRecordsReadAsNothingStored) {
    const char* unreadable[] = {
        "not json",
        "[1,2]",
        R"({"duration":1500})",
        R"({"label":"Pomodoro"})",
        R"({"label":7,"duration":1500})",
        R"({"label":"Pomodoro","duration":"1500"})",
        R"({"label":"Pomodoro","duration":-1})",
        R"({"label":"Pomodoro","duration":1e999})",
        R"({"label":"Pomodoro","duration":1500,"endDate":"soon"})",
        R"({"label":"Pomodoro","duration":1500,"pausedRemaining":-1e999})",
    };
    for (const char* json : unreadable)
        EXPECT_FALSE(decodeFocusState(json)) << json;
    EXPECT_EQ(decodeFocusState(R"({"label":"P","duration":0,"endDate":null})"),
              (FocusState{QStringLiteral("P"), 0, std::nullopt, std::nullopt}));

    storeJson(R"({"label":"Pomodoro","duration":-1,"endDate":786000100})");
    model = restart();
    EXPECT_EQ(model->focus(), FocusState{});
    model->start();
    EXPECT_FALSE(model->hasPendingFocusEnd());
}

TEST(FormatCountdown, MinutesSecondsAndHours) {
    const QList<std::pair<double, const char*>> cases{
        {1500, "25:00"},   {59.2, "01:00"},   {0, "00:00"},
        {3600, "1:00:00"}, {5026, "1:23:46"}, {3599.5, "1:00:00"},
        {-12, "00:00"},    {0.001, "00:01"},  {36000, "10:00:00"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(formatCountdown(seconds), QString::fromLatin1(text)) << seconds;
}

TEST(FormatCountdown, NonFiniteAndHugeValuesAreDefined) {
    EXPECT_EQ(formatCountdown(std::nan("")), QStringLiteral("00:00"));
    EXPECT_EQ(formatCountdown(std::numeric_limits<double>::infinity()), QStringLiteral("00:00"));
    EXPECT_EQ(formatCountdown(-std::numeric_limits<double>::infinity()), QStringLiteral("00:00"));
    // Clamped to the int range: 2147483647 s.
    EXPECT_EQ(formatCountdown(1e300), QStringLiteral("596523:14:07"));
    EXPECT_EQ(formatCountdown(-1e300), QStringLiteral("00:00"));
}
