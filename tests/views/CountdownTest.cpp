// The live countdowns of the closed wings and the focus tab, on virtual time.
#include "model/FocusTimer.h"
#include "model/ModelFixture.h"
#include "views/FocusCountdown.h"
#include "views/FocusViewState.h"

#include <QSignalSpy>

#include <cmath>

using namespace zelvik;
using namespace zelvik::test;

namespace {

class Countdown : public ModelFixture {
protected:
    FocusState runningFor(double remaining, double duration = 1500,
                          const QString& label = QStringLiteral("Pomodoro")) {
        FocusState state;
        state.label = label;
        state.duration = duration;
        state.endDate = time.now() + remaining;
        return state;
    }
};

} // namespace

TEST_F(Countdown, TheWingCountsDownOnceASecondAndStopsAtTheEnd) {
    FocusCountdown countdown;
    countdown.setModel(model.get());
    QSignalSpy changes(&countdown, &FocusCountdown::textChanged);
    countdown.setEnd(time.now() + 61.3);
    EXPECT_EQ(countdown.text(), QStringLiteral("01:02")); // rounded up

    struct Step {
        double advance;
        const char* text;
    };
    // The text changes exactly when the rounded-up seconds do.
    for (const Step step :
         {Step{0.299, "01:02"}, Step{0.001, "01:01"}, Step{0.999, "01:01"}, Step{0.001, "01:00"},
          Step{1.0, "00:59"}, Step{58.5, "00:01"}, Step{0.5, "00:00"}}) {
        time.advanceSeconds(step.advance);
        EXPECT_EQ(countdown.text(), QString::fromLatin1(step.text)) << step.text;
        EXPECT_LE(time.pendingCount(), 1u);
    }
    // Every change of the text was one wake-up, and the end leaves none.
    EXPECT_EQ(changes.count(), 63); // 00:00 -> 01:02, then one per second
    EXPECT_EQ(time.pendingCount(), 0u);
    time.advanceSeconds(5);
    EXPECT_EQ(countdown.text(), QStringLiteral("00:00"));
}

TEST_F(Countdown, AHiddenOrEndlessCountdownWakesNobody) {
    struct Case {
        const char* name;
        QVariant end;
        bool active;
        const char* text;
        std::size_t pending;
    };
    const double now = time.now();
    for (const Case& c : {
             Case{"running and shown", now + 90, true, "01:30", 1},
             Case{"running but hidden", now + 90, false, "01:30", 0},
             Case{"an hour and more", now + 3600.5, true, "1:00:01", 1},
             Case{"ended before", now - 1, true, "00:00", 0},
             Case{"no end", QVariant(), true, "00:00", 0},
             Case{"not a number", QVariant(std::nan("")), true, "00:00", 0},
         }) {
        FocusCountdown countdown;
        countdown.setActive(c.active);
        countdown.setModel(model.get());
        countdown.setEnd(c.end);
        EXPECT_EQ(countdown.text(), QString::fromLatin1(c.text)) << c.name;
        EXPECT_EQ(time.pendingCount(), c.pending) << c.name;
    }
    EXPECT_EQ(time.pendingCount(), 0u); // gone with their views
}

TEST_F(Countdown, ShowingAgainCatchesUpAtOnce) {
    FocusCountdown countdown;
    countdown.setModel(model.get());
    countdown.setEnd(time.now() + 100);
    countdown.setActive(false);
    time.advanceSeconds(40);
    EXPECT_EQ(countdown.text(), QStringLiteral("01:40")); // frozen while hidden
    countdown.setActive(true);
    EXPECT_EQ(countdown.text(), QStringLiteral("01:00"));
    EXPECT_EQ(time.pendingCount(), 1u);
}

TEST_F(Countdown, TheFocusTabDrawsEachStateOfTheRecord) {
    struct Case {
        const char* name;
        std::function<FocusState()> record;
        const char* time;
        double progress;
        const char* stateLine;
        const char* button;
        const char* symbol;
        int selectedMinutes; // 0: none
    };
    const double now = time.now();
    const std::vector<Case> cases{
        {"idle default", [] { return FocusState(); }, "25:00", 1.0, "Ready", "Start", "play.fill",
         25},
        {"running", [&] { return runningFor(61.3); }, "01:02", 61.3 / 1500,
         "Focusing, counting down in the notch", "Pause", "pause.fill", 25},
        {"paused",
         [] {
             FocusState s;
             s.duration = 2700;
             s.label = QStringLiteral("Deep work");
             s.pausedRemaining = 612.4;
             return s;
         },
         "10:13", 612.4 / 2700, "Paused", "Resume", "play.fill", 45},
        {"a five-minute break", [&] { return runningFor(300, 300, QStringLiteral("Break")); },
         "05:00", 1.0, "Focusing, counting down in the notch", "Pause", "pause.fill", 0},
        {"ended while the program was away",
         [&] {
             FocusState s;
             s.endDate = now - 30;
             return s;
         },
         "00:00", 0.0, "Ready", "Start", "play.fill", 25},
        {"no duration",
         [] {
             FocusState s;
             s.duration = 0;
             return s;
         },
         "00:00", 0.0, "Ready", "Start", "play.fill", 0},
        {"a length with a fraction selects by whole seconds",
         [] {
             FocusState s;
             s.duration = 900.7;
             return s;
         },
         "15:01", 1.0, "Ready", "Start", "play.fill", 15},
    };
    for (const Case& c : cases) {
        model->setFocus(c.record());
        FocusViewState view;
        view.setModel(model.get());
        EXPECT_EQ(view.timeText(), QString::fromLatin1(c.time)) << c.name;
        EXPECT_NEAR(view.progress(), c.progress, 1e-9) << c.name;
        EXPECT_EQ(view.stateText(), QString::fromUtf8(c.stateLine)) << c.name;
        EXPECT_EQ(view.actionText(), QString::fromLatin1(c.button)) << c.name;
        EXPECT_EQ(view.actionSymbol(), QString::fromLatin1(c.symbol)) << c.name;
        QList<int> selected;
        QStringList titles;
        for (const QVariant& preset : view.presets()) {
            const QVariantMap chip = preset.toMap();
            titles << chip.value(QStringLiteral("title")).toString();
            if (chip.value(QStringLiteral("selected")).toBool())
                selected << chip.value(QStringLiteral("minutes")).toInt();
        }
        EXPECT_EQ(titles, (QStringList{"15 min", "25 min", "45 min", "60 min"})) << c.name;
        EXPECT_EQ(selected, c.selectedMinutes ? QList<int>{c.selectedMinutes} : QList<int>())
            << c.name;
    }
}

TEST_F(Countdown, TheFocusTabTicksOnlyWhileShownAndRunning) {
    model->setFocus(runningFor(2.5));
    FocusViewState view;
    view.setModel(model.get());
    QSignalSpy redraws(&view, &FocusViewState::changed);
    EXPECT_EQ(time.pendingCount(), 1u);
    time.advanceSeconds(0.5);
    EXPECT_EQ(view.timeText(), QStringLiteral("00:02"));
    EXPECT_NEAR(view.progress(), 2.0 / 1500, 1e-9);

    view.setActive(false);
    EXPECT_EQ(time.pendingCount(), 0u);
    view.setActive(true);
    time.advanceSeconds(2);
    // The end came: the state line goes back to ready by itself.
    EXPECT_EQ(view.timeText(), QStringLiteral("00:00"));
    EXPECT_FALSE(view.running());
    EXPECT_EQ(view.stateText(), QStringLiteral("Ready"));
    EXPECT_EQ(time.pendingCount(), 0u);
    const int seen = redraws.count();

    // Paused or idle, nothing changes over time, so nothing wakes.
    model->setFocus(FocusState());
    time.advanceSeconds(10);
    EXPECT_EQ(redraws.count(), seen + 1);
    EXPECT_EQ(time.pendingCount(), 0u);
}

TEST_F(Countdown, TheFocusTabButtonsReachTheModel) {
    FocusViewState view;
    view.setModel(model.get());
    view.choosePreset(45);
    EXPECT_EQ(model->focus().duration, 2700);
    EXPECT_EQ(model->focus().label, QStringLiteral("Deep work"));
    EXPECT_EQ(view.timeText(), QStringLiteral("45:00"));
    view.choosePreset(7); // no such preset
    EXPECT_EQ(model->focus().duration, 2700);

    view.startOrPause();
    EXPECT_TRUE(view.running());
    EXPECT_EQ(view.actionText(), QStringLiteral("Pause"));
    time.advanceSeconds(10);
    view.startOrPause();
    EXPECT_TRUE(view.paused());
    EXPECT_EQ(view.timeText(), QStringLiteral("44:50"));
    view.reset();
    EXPECT_FALSE(view.paused());
    EXPECT_EQ(view.timeText(), QStringLiteral("45:00"));
    EXPECT_EQ(view.stateText(), QStringLiteral("Ready"));
}

TEST_F(Countdown, TheFocusTabSpeaksTurkish) {
    DefaultsStore& standard = DefaultsStore::standard();
    standard.setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    model->setFocus(runningFor(100));
    FocusViewState view;
    view.setModel(model.get());
    EXPECT_EQ(view.stateText(), QStringLiteral("Odaklanıyorsun, notch'ta geri sayıyor"));
    EXPECT_EQ(view.actionText(), QStringLiteral("Duraklat"));
    EXPECT_EQ(view.presets().value(0).toMap().value(QStringLiteral("title")).toString(),
              QStringLiteral("15 dk"));
    EXPECT_EQ(view.presets().value(0).toMap().value(QStringLiteral("label")).toString(),
              QStringLiteral("Kısa odak"));
    standard.remove(QStringLiteral("appLanguage"));
}
