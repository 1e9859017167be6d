// The C++ behind the settings rows, without a window.
#include "model/ModelFixture.h"
#include "settings/LaunchAtLogin.h"
#include "settings/MusicAppRows.h"
#include "settings/RangedSetting.h"
#include "settings/SettingChoices.h"

#include <QSignalSpy>

#include <cmath>

namespace zelvik::test {
namespace {

class SettingsRowsTest : public ModelFixture {};

TEST_F(SettingsRowsTest, SlidersPutTheUsersValueOnTheirGridInsideTheirRange) {
    struct Case {
        const char* key;
        double from, to, step;
        double candidate;
        double written;
    };
    const Case cases[] = {
        {"hoverDelay", 0, 600, 20, 187.3, 180},
        {"hoverDelay", 0, 600, 20, 191, 200},
        {"hoverDelay", 0, 600, 20, -40, 0},
        {"hoverDelay", 0, 600, 20, 1e9, 600},
        {"closeDelay", 100, 1200, 50, 1190, 1200},
        {"closeDelay", 100, 1200, 50, 124, 100},
        {"lowBatteryThreshold", 10, 50, 5, 23, 25},
        {"lowBatteryThreshold", 10, 50, 5, 51, 50},
        {"lowBatteryThreshold", 10, 50, 5, 9.9, 10},
        {"hudDuration", 1.5, 6.0, 0.5, 2.74, 2.5},
        {"hudDuration", 1.5, 6.0, 0.5, 2.76, 3.0},
        {"hudDuration", 1.5, 6.0, 0.5, 99, 6.0},
        {"breakMinutes", 1, 30, 1, 0, 1},
        {"breakMinutes", 1, 30, 1, 30.4, 30},
        {"glassAmount", 0, 1, 0, 0.4321, 0.4321},
        {"glassAmount", 0, 1, 0, 1.7, 1},
        {"glassAmount", 0, 1, 0, -0.2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.candidate));
        RangedSetting ranged;
        ranged.setSettings(&settings);
        ranged.setKey(QString::fromLatin1(c.key));
        ranged.setFrom(c.from);
        ranged.setTo(c.to);
        ranged.setStep(c.step);
        ranged.commit(c.candidate);
        EXPECT_DOUBLE_EQ(settings.property(c.key).toDouble(), c.written);
        EXPECT_DOUBLE_EQ(store->object(QString::fromLatin1(c.key)).toDouble(), c.written);
        EXPECT_DOUBLE_EQ(ranged.value(), c.written);
    }
    // No number from the control: what is on show stays.
    settings.setGlassAmount(0.25);
    RangedSetting glass;
    glass.setSettings(&settings);
    glass.setKey(QStringLiteral("glassAmount"));
    glass.commit(std::nan(""));
    EXPECT_DOUBLE_EQ(settings.glassAmount(), 0.25);
}

TEST_F(SettingsRowsTest, ShowingAValueNeverWritesItAndFollowsLaterChanges) {
    settings.setHudDuration(std::nan(""));
    settings.setHoverDelay(-5);
    RangedSetting hud;
    hud.setFrom(1.5);
    hud.setTo(6);
    hud.setFormat(RangedSetting::Format::Seconds);
    hud.setSettings(&settings);
    hud.setKey(QStringLiteral("hudDuration"));
    // No number: the default.
    EXPECT_DOUBLE_EQ(hud.value(), 2.6);
    EXPECT_EQ(hud.text(), QStringLiteral("2.6 s"));
    EXPECT_TRUE(std::isnan(settings.hudDuration()));

    RangedSetting delay;
    delay.setTo(600);
    delay.setStep(20);
    delay.setFormat(RangedSetting::Format::Milliseconds);
    delay.setSettings(&settings);
    delay.setKey(QStringLiteral("hoverDelay"));
    QSignalSpy texts(&delay, &RangedSetting::textChanged);
    EXPECT_EQ(delay.text(), QStringLiteral("0 ms"));
    EXPECT_EQ(store->object(QStringLiteral("hoverDelay")).toDouble(), -5.0);
    settings.setHoverDelay(440);
    EXPECT_EQ(delay.text(), QStringLiteral("440 ms"));
    EXPECT_EQ(texts.count(), 1);
    // A thousand minutes of break show as the longest the stepper offers,
    // and the first step down starts from there.
    settings.setBreakMinutes(1000);
    RangedSetting minutes;
    minutes.setFrom(1);
    minutes.setTo(30);
    minutes.setStep(1);
    minutes.setFormat(RangedSetting::Format::Minutes);
    minutes.setSettings(&settings);
    minutes.setKey(QStringLiteral("breakMinutes"));
    EXPECT_EQ(minutes.text(), QStringLiteral("30 min"));
    EXPECT_EQ(store->object(QStringLiteral("breakMinutes")).toInt(), 1000);
    minutes.stepBy(-1);
    EXPECT_EQ(settings.breakMinutes(), 29);
    // A key that names no number shows nothing and writes nothing.
    delay.setKey(QStringLiteral("focusSound"));
    delay.commit(20);
    EXPECT_EQ(settings.focusSound(), QStringLiteral("Glass"));
}

TEST_F(SettingsRowsTest, PickersShowTheDefaultForAnUnknownValueUntilTheUserChooses) {
    settings.setFocusSound(QStringLiteral("Xylophone"));
    SettingChoices sounds;
    sounds.setSettings(&settings);
    sounds.setKey(QStringLiteral("focusSound"));
    EXPECT_EQ(sounds.titles().first(), QStringLiteral("Silent"));
    EXPECT_EQ(sounds.titles().size(), 10);
    EXPECT_EQ(sounds.currentIndex(), 1);
    EXPECT_EQ(sounds.currentValue().toString(), QStringLiteral("Glass"));
    EXPECT_EQ(settings.focusSound(), QStringLiteral("Xylophone"));
    // Choosing what is shown stores it.
    sounds.choose(1);
    EXPECT_EQ(settings.focusSound(), QStringLiteral("Glass"));
    sounds.choose(0);
    EXPECT_EQ(store->object(QStringLiteral("focusSound")).toString(), QString());
    EXPECT_EQ(sounds.currentIndex(), 0);
    sounds.choose(10); // no such option
    EXPECT_EQ(settings.focusSound(), QString());

    SettingChoices ages;
    ages.setSettings(&settings);
    ages.setKey(QStringLiteral("shelfAutoClear"));
    EXPECT_EQ(ages.titles(),
              (QStringList{"Never", "After 1 day", "After 1 week", "After 1 month"}));
    ages.choose(2);
    EXPECT_EQ(settings.shelfAutoClear(), ShelfAutoClear::week);
    EXPECT_EQ(store->object(QStringLiteral("shelfAutoClear")).toInt(), 7);
}

class FlakyLoginItem final : public LoginItemService {
public:
    bool isEnabled() const override { return on; }
    bool setEnabled(bool enabled) override {
        if (!refuse)
            on = enabled;
        return !refuse;
    }
    bool on = false;
    bool refuse = false;
};

TEST_F(SettingsRowsTest, LaunchAtLoginShowsWhatTheDesktopHoldsEvenWhenAChangeFails) {
    FlakyLoginItem service;
    LaunchAtLogin launch(&service);
    QSignalSpy changes(&launch, &LaunchAtLogin::enabledChanged);
    launch.setEnabled(true);
    EXPECT_TRUE(launch.enabled());
    service.refuse = true;
    launch.setEnabled(false);
    EXPECT_TRUE(launch.enabled());
    EXPECT_EQ(changes.count(), 1);
    // Changed behind our back: seen on the next refresh.
    service.on = false;
    launch.refresh();
    EXPECT_FALSE(launch.enabled());
    LaunchAtLogin nothing(nullptr);
    nothing.setEnabled(true);
    EXPECT_FALSE(nothing.enabled());
}

class TwoPlayers final : public PlayerAppDirectory {
public:
    PlayerApp spotify() const override { return first; }
    PlayerApp otherPlayer() const override { return second; }
    bool open(const PlayerApp& app) override {
        opened << app.desktopId;
        return true;
    }
    PlayerApp first;
    PlayerApp second;
    QStringList opened;
};

TEST_F(SettingsRowsTest, PlayerRowsTellRunningInstalledAndMissingAndOpenOnlyWhatIsThere) {
    TwoPlayers directory;
    directory.first = {QStringLiteral("spotify"), QStringLiteral("Spotify"),
                       QStringLiteral("spotify-client"), true, true};
    MusicAppRows rows(&directory);
    rows.setSettings(&settings);
    auto text = [&](int row, int role) { return rows.data(rows.index(row), role).toString(); };
    EXPECT_EQ(text(0, MusicAppRows::StateTextRole), QStringLiteral("Running"));
    EXPECT_EQ(text(1, MusicAppRows::StateTextRole), QStringLiteral("Not installed"));
    // Nothing installed: the word for music, and no icon to look for.
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Music"));
    EXPECT_EQ(text(1, MusicAppRows::IconNameRole), QString());
    rows.open(1);
    EXPECT_TRUE(directory.opened.isEmpty());

    QSignalSpy changes(&rows, &QAbstractItemModel::dataChanged);
    directory.second = {QStringLiteral("org.gnome.Lollypop"), QStringLiteral("Lollypop"),
                        QStringLiteral("org.gnome.Lollypop"), true, false};
    directory.onChange();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(text(1, MusicAppRows::StateTextRole), QStringLiteral("Installed"));
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Lollypop"));
    rows.open(1);
    rows.open(0);
    EXPECT_EQ(directory.opened,
              (QStringList{QStringLiteral("org.gnome.Lollypop"), QStringLiteral("spotify")}));
}

} // namespace
} // namespace zelvik::test
