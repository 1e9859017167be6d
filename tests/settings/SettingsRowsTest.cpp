// The C++ behind the settings rows, without a window.
#include "model/ModelFixture.h"
#include "music/MusicFakes.h"
#include "settings/LaunchAtLogin.h"
#include "settings/MusicAppRows.h"
#include "settings/RangedSetting.h"
#include "settings/SettingChoices.h"
#include "settings/SettingsPage.h"

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

TEST_F(SettingsRowsTest, PlayerRowsFollowTheMusicMonitorAndOpenOnlyWhatIsThere) {
    MonitorRig players;
    players.notifications->running.insert(MusicSource::spotify);
    ASSERT_TRUE(players.start());
    players.forgetScripts();
    MusicAppRows rows(&players.monitor);
    rows.setSettings(&settings);
    auto text = [&](int row, int role) { return rows.data(rows.index(row), role).toString(); };
    EXPECT_EQ(text(0, MusicAppRows::SourceRole), QStringLiteral("spotify"));
    EXPECT_EQ(text(0, MusicAppRows::StateTextRole), QStringLiteral("Running"));
    // Running without a desktop entry of its own: still something to open.
    EXPECT_TRUE(rows.data(rows.index(0), MusicAppRows::InstalledRole).toBool());
    EXPECT_EQ(text(1, MusicAppRows::StateTextRole), QStringLiteral("Not installed"));
    // Nothing installed: the word for music, and no icon to look for.
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Music"));
    EXPECT_TRUE(rows.data(rows.index(1), MusicAppRows::IconSourceRole).toUrl().isEmpty());
    rows.open(1);
    EXPECT_TRUE(players.applications->launched.isEmpty());

    QSignalSpy changes(&rows, &QAbstractItemModel::dataChanged);
    players.applications->install(MusicSource::appleMusic,
                                  PlayerApplication{QStringLiteral("org.gnome.Lollypop.desktop"),
                                                    QStringLiteral("Lollypop"),
                                                    QStringLiteral("org.gnome.Lollypop"), QUrl()});
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(text(1, MusicAppRows::StateTextRole), QStringLiteral("Installed"));
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Lollypop"));
    rows.open(1);
    EXPECT_EQ(players.applications->launched, QStringList{"org.gnome.Lollypop.desktop"});
    // The running one is brought forward, not started again.
    rows.open(0);
    ASSERT_TRUE(players.settle());
    EXPECT_EQ(players.scripts(), QStringList{tellTo("Spotify", "activate")});
    EXPECT_EQ(players.applications->launched.size(), 1);

    // Gone and uninstalled: the word for music follows the language.
    DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    settings.setLanguage(AppLanguage::tr);
    players.applications->install(MusicSource::appleMusic, std::nullopt);
    players.notifications->quit(MusicSource::spotify);
    EXPECT_EQ(text(0, MusicAppRows::StateTextRole), QStringLiteral("Yüklü değil"));
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Müzik"));
    DefaultsStore::standard().remove(QStringLiteral("appLanguage"));
    settings.setLanguage(AppLanguage::en);
    EXPECT_EQ(text(1, MusicAppRows::NameRole), QStringLiteral("Music"));
}

// The desktop's own music player stands where "Apple Music" would.
TEST_F(SettingsRowsTest, TheMusicPageSubtitleNamesTheDesktopsPlayer) {
    MonitorRig players;
    ASSERT_TRUE(players.start());
    SettingsPageList pages;
    pages.setSettings(&settings);
    pages.setCurrentPage(SettingsPage::music);
    EXPECT_EQ(pages.currentSubtitle(), QStringLiteral("Spotify and Music controls"));
    QSignalSpy told(&pages, &SettingsPageList::currentTextsChanged);
    pages.setMusic(&players.monitor);
    EXPECT_EQ(told.count(), 0);

    const PlayerApplication rhythmbox{QStringLiteral("org.gnome.Rhythmbox3.desktop"),
                                      QStringLiteral("Rhythmbox"), QString(), QUrl()};
    const struct {
        const char* language;
        std::optional<PlayerApplication> installed;
        const char* subtitle;
        int told;
    } steps[] = {
        {"en", rhythmbox, "Spotify and Rhythmbox controls", 1},
        {"tr", rhythmbox, "Spotify ve Rhythmbox kontrolleri", 2},
        {"tr", std::nullopt, "Spotify ve Müzik kontrolleri", 3},
        {"en", std::nullopt, "Spotify and Music controls", 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.subtitle);
        const bool turkish = qstrcmp(step.language, "tr") == 0;
        if (turkish != (settings.language() == AppLanguage::tr)) {
            DefaultsStore::standard().setValue(QStringLiteral("appLanguage"),
                                               QString::fromLatin1(step.language));
            settings.setLanguage(turkish ? AppLanguage::tr : AppLanguage::en);
        }
        players.applications->install(MusicSource::appleMusic, step.installed);
        EXPECT_EQ(pages.currentSubtitle(), QString::fromUtf8(step.subtitle));
        const QModelIndex music = pages.index(static_cast<int>(SettingsPage::music));
        EXPECT_EQ(pages.data(music, SettingsPageList::SubtitleRole).toString(),
                  QString::fromUtf8(step.subtitle));
        // Players coming and going under the same name change nothing shown.
        players.notifications->run(MusicSource::appleMusic);
        players.notifications->quit(MusicSource::appleMusic);
        EXPECT_EQ(told.count(), step.told);
    }
    DefaultsStore::standard().remove(QStringLiteral("appLanguage"));
}

} // namespace
} // namespace zelvik::test
