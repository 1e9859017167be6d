// The end sound through libcanberra into a PulseAudio server of the test's
// own, whose default sink is a null sink. A played sound shows up as a new
// sink input on that server.
#include "TestServices.h"
#include "model/ModelFixture.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "settings/NotchSettings.h"

#include <QFileInfo>
#include <QTest>

using namespace zelvik;
using namespace zelvik::test;

TEST(FreedesktopSoundIds, EveryOfferedNameHasAThemeSoundAndNothingElseDoes) {
    const QStringList choices = NotchSettings::focusSoundChoices();
    ASSERT_EQ(choices.size(), 10);
    EXPECT_FALSE(freedesktopSoundId(choices.first()));
    for (const QString& name : choices.mid(1)) {
        const auto id = freedesktopSoundId(name);
        ASSERT_TRUE(id) << name.toStdString();
        const QString file = QStringLiteral("/usr/share/sounds/freedesktop/stereo/%1.oga").arg(*id);
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
    }
    EXPECT_EQ(freedesktopSoundId(QStringLiteral("Glass")), QStringLiteral("complete"));
    EXPECT_EQ(freedesktopSoundId(QStringLiteral("Bottle")), QStringLiteral("power-plug"));
    EXPECT_FALSE(freedesktopSoundId(QStringLiteral("glass")));
    EXPECT_FALSE(freedesktopSoundId(QStringLiteral("complete")));
}

namespace {

class SoundPlayerTest : public ModelFixture {
protected:
    static inline PrivatePulseAudio* pulse = nullptr;

    static void SetUpTestSuite() {
        pulse = new PrivatePulseAudio;
        // libcanberra's PulseAudio backend finds the server through this.
        if (pulse->isRunning())
            qputenv("PULSE_SERVER", pulse->serverAddress().toUtf8());
    }
    static void TearDownTestSuite() {
        qunsetenv("PULSE_SERVER");
        delete pulse;
        pulse = nullptr;
    }

    void SetUp() override {
        if (pulse->isMissing())
            GTEST_SKIP() << pulse->error().toStdString();
        ASSERT_TRUE(pulse->isRunning()) << pulse->error().toStdString();
    }
};

} // namespace

TEST_F(SoundPlayerTest, TheEndOfAPeriodPlaysTheChosenSoundAndAnUnknownNamePlaysNothing) {
    PulseEventLog events(*pulse);
    ASSERT_TRUE(events.isListening());
    const QString newStream = QStringLiteral("'new' on sink-input");
    CanberraSoundPlayer player;
    model->setSoundPlayer(&player);

    settings.setFocusSound(QStringLiteral("Nonexistent"));
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    EXPECT_FALSE(player.play(QStringLiteral("Nonexistent")));
    EXPECT_FALSE(player.play(QString()));

    settings.setFocusSound(QStringLiteral("Glass"));
    model->startOrPauseFocus();
    time.advanceSeconds(1500);
    // Events arrive in order: a stream for the unknown name would come first.
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.count(newStream) >= 1; }, 15000));
    EXPECT_EQ(events.count(newStream), 1);
    model.reset();
}

TEST_F(SoundPlayerTest, EachOfferedSoundStartsAStream) {
    PulseEventLog events(*pulse);
    ASSERT_TRUE(events.isListening());
    CanberraSoundPlayer player;
    const QString newStream = QStringLiteral("'new' on sink-input");
    int played = 0;
    for (const QString& name : NotchSettings::focusSoundChoices().mid(1)) {
        EXPECT_TRUE(player.play(name)) << name.toStdString();
        ++played;
        EXPECT_TRUE(QTest::qWaitFor([&] { return events.count(newStream) >= played; }, 15000))
            << name.toStdString();
    }
}
