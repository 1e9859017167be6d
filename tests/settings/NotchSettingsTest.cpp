#include "settings/NotchSettings.h"
#include "settings/AppLanguage.h"
#include "settings/DefaultsStore.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace zelvik;

namespace {

class NotchSettingsTest : public ::testing::Test {
protected:
    QString path = test::freshSettingsPath();
    std::unique_ptr<DefaultsStore> store = std::make_unique<DefaultsStore>(path);

    void writeStore(const QByteArray& ini) {
        store.reset();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
        f.close();
        store = std::make_unique<DefaultsStore>(path);
    }

    QString stored(const char* key) const {
        return store->stringValue(QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
    }
};

} // namespace

TEST_F(NotchSettingsTest, FirstStartHasTheDefaultsAndStoresNothing) {
    NotchSettings s(*store);
    EXPECT_EQ(s.glassAmount(), 0.0);
    EXPECT_FALSE(s.glassWhenClosed());
    EXPECT_TRUE(s.tintWithArtwork());
    EXPECT_EQ(s.openSize(), OpenSizePreset::regular);
    EXPECT_EQ(s.animationStyle(), NotchAnimationStyle::bouncy);
    EXPECT_TRUE(s.showShadow());
    EXPECT_TRUE(s.openOnHover());
    EXPECT_EQ(s.hoverDelay(), 180.0);
    EXPECT_EQ(s.closeDelay(), 280.0);
    EXPECT_EQ(s.defaultTab(), DefaultTabOption::last);
    EXPECT_TRUE(s.swipeToSkip());
    EXPECT_TRUE(s.haptics());
    EXPECT_TRUE(s.hotKeyEnabled());
    EXPECT_TRUE(s.showMusicActivity());
    EXPECT_TRUE(s.trackChangeHUD());
    EXPECT_TRUE(s.artworkGlow());
    EXPECT_FALSE(s.shelfCopyFiles());
    EXPECT_EQ(s.shelfAutoClear(), ShelfAutoClear::never);
    EXPECT_FALSE(s.screenshotsToShelf());
    EXPECT_EQ(s.focusSound(), QStringLiteral("Glass"));
    EXPECT_FALSE(s.autoBreak());
    EXPECT_EQ(s.breakMinutes(), 5);
    EXPECT_TRUE(s.showBatteryHUD());
    EXPECT_EQ(s.lowBatteryThreshold(), 20);
    EXPECT_TRUE(s.showDeviceHUD());
    EXPECT_EQ(s.hudDuration(), 2.6);
    EXPECT_TRUE(s.showMenuBarIcon());
    EXPECT_EQ(s.displayMode(), NotchDisplayMode::builtIn());
    EXPECT_FALSE(s.hideWhenIdleWithoutNotch());
    EXPECT_EQ(s.language(), AppLanguage::en);

    // The registered defaults answer reads; loading writes none of them.
    ASSERT_EQ(NotchSettings::registeredDefaults().size(), 30u);
    for (const auto& [key, value] : NotchSettings::registeredDefaults())
        EXPECT_FALSE(store->hasStoredValue(key)) << key.toStdString();
    EXPECT_EQ(stored("appLanguage"), QStringLiteral("en"));
    EXPECT_FALSE(store->hasStoredValue(QStringLiteral("language")));
}

TEST_F(NotchSettingsTest, UnknownEnumerationValuesFallBackAndStayAsStored) {
    writeStore("[General]\n"
               "openSize=huge\n"
               "animationStyle=\n"
               "defaultTab=Music\n"
               "shelfAutoClear=30\n"
               "focusSound=\n");
    NotchSettings s(*store);
    EXPECT_EQ(s.openSize(), OpenSizePreset::regular);
    EXPECT_EQ(stored("openSize"), QStringLiteral("huge"));
    EXPECT_EQ(s.animationStyle(), NotchAnimationStyle::bouncy);
    EXPECT_EQ(s.defaultTab(), DefaultTabOption::last);
    EXPECT_EQ(s.shelfAutoClear(), ShelfAutoClear::month);
    // An empty sound is silence, not a missing value.
    EXPECT_EQ(s.focusSound(), QString());
}

TEST_F(NotchSettingsTest, DisplayModeParsing) {
    const struct {
        const char* stored;
        NotchDisplayMode expected;
    } cases[] = {
        {"id:", NotchDisplayMode::builtIn()},
        {"id:abc", NotchDisplayMode::builtIn()},
        {"id:+5", NotchDisplayMode::builtIn()},
        {"id:-1", NotchDisplayMode::builtIn()},
        {"id: 7", NotchDisplayMode::builtIn()},
        {"id:4294967295", NotchDisplayMode::specific(4294967295u)},
        {"id:4294967296", NotchDisplayMode::builtIn()},
        {"id:99999999999999999999999", NotchDisplayMode::builtIn()},
        {"id:0", NotchDisplayMode::specific(0)},
        {"id:007", NotchDisplayMode::specific(7)},
        {"primary", NotchDisplayMode::primary()},
        {"mouse", NotchDisplayMode::mouse()},
        {"Mouse", NotchDisplayMode::builtIn()},
        {"builtin", NotchDisplayMode::builtIn()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotchDisplayMode::fromStoredForm(QString::fromLatin1(c.stored)), c.expected)
            << c.stored;
    }
    EXPECT_EQ(NotchDisplayMode::specific(7).storedForm(), QStringLiteral("id:7"));
    EXPECT_EQ(NotchDisplayMode::specific(4294967295u).storedForm(),
              QStringLiteral("id:4294967295"));
}

TEST_F(NotchSettingsTest, SignalsOnlyOnRealChangeButAlwaysPersistAndCallBack) {
    NotchSettings s(*store);
    int displayCalls = 0, hotKeyCalls = 0, screenshotCalls = 0;
    s.onDisplayChange = [&] { ++displayCalls; };
    s.onHotKeyChange = [&] { ++hotKeyCalls; };
    s.onScreenshotsChange = [&] { ++screenshotCalls; };
    QSignalSpy displaySpy(&s, &NotchSettings::displayModeChanged);
    QSignalSpy delaySpy(&s, &NotchSettings::hoverDelayChanged);

    s.setDisplayMode(NotchDisplayMode::builtIn());
    EXPECT_EQ(displayCalls, 1);
    EXPECT_EQ(displaySpy.count(), 0);

    s.setDisplayMode(NotchDisplayMode::specific(12));
    EXPECT_EQ(displayCalls, 2);
    EXPECT_EQ(displaySpy.count(), 1);
    EXPECT_EQ(stored("displayMode"), QStringLiteral("id:12"));

    s.setHoverDelay(180.0);
    EXPECT_EQ(delaySpy.count(), 0);
    s.setHoverDelay(400.0);
    EXPECT_EQ(delaySpy.count(), 1);
    EXPECT_EQ(store->doubleValue(QStringLiteral("hoverDelay")), 400.0);

    s.setHotKeyEnabled(true);
    s.setScreenshotsToShelf(false);
    EXPECT_EQ(hotKeyCalls, 1);
    EXPECT_EQ(screenshotCalls, 1);

    s.setLanguage(AppLanguage::tr);
    EXPECT_EQ(stored("appLanguage"), QStringLiteral("tr"));
}

TEST_F(NotchSettingsTest, ResetRemovesEveryKeyAndRunsTheCallbacksInTableOrder) {
    NotchSettings s(*store);
    s.setHotKeyEnabled(false);
    s.setBreakMinutes(12);
    store->setValue(QStringLiteral("focus"), QByteArray("{}"));
    QStringList calls;
    s.onHotKeyChange = [&] { calls << QStringLiteral("hotKey"); };
    s.onScreenshotsChange = [&] { calls << QStringLiteral("screenshots"); };
    s.onDisplayChange = [&] { calls << QStringLiteral("display"); };
    QSignalSpy hotKeySpy(&s, &NotchSettings::hotKeyEnabledChanged);

    s.resetToDefaults();

    EXPECT_TRUE(s.hotKeyEnabled());
    EXPECT_EQ(s.breakMinutes(), 5);
    EXPECT_EQ(hotKeySpy.count(), 1);
    EXPECT_EQ(calls, (QStringList{QStringLiteral("hotKey"), QStringLiteral("screenshots"),
                                  QStringLiteral("display")}));
    // The registered defaults answer again; what is not a setting stays.
    EXPECT_FALSE(store->hasStoredValue(QStringLiteral("breakMinutes")));
    EXPECT_EQ(store->integerValue(QStringLiteral("breakMinutes")), 5);
    EXPECT_EQ(store->bytesValue(QStringLiteral("focus")), QByteArray("{}"));
}

// A settings file as an older or hand-edited installation may have left it.
TEST_F(NotchSettingsTest, HandWrittenFileLoadsAndIsLeftAsItWas) {
    writeStore("[General]\n"
               "displayMode=id:4294967296\n"
               "shelfAutoClear=3\n"
               "appLanguage=TR\n"
               "animationStyle=\n"
               "openSize=large\n"
               "hoverDelay=250.5\n"
               "haptics=false\n"
               "breakMinutes=abc\n"
               "lowBatteryThreshold=35\n"
               "focusSound=Submarine\n"
               "hudDuration=-inf\n"
               "unrelated=kept\n");
    {
        NotchSettings s(*store);
        EXPECT_EQ(s.displayMode(), NotchDisplayMode::builtIn());
        EXPECT_EQ(s.shelfAutoClear(), ShelfAutoClear::never);
        EXPECT_EQ(s.language(), AppLanguage::en);
        EXPECT_EQ(s.animationStyle(), NotchAnimationStyle::bouncy);
        EXPECT_EQ(s.openSize(), OpenSizePreset::large);
        EXPECT_EQ(s.hoverDelay(), 250.5);
        EXPECT_FALSE(s.haptics());
        EXPECT_EQ(s.breakMinutes(), 5);
        EXPECT_EQ(s.lowBatteryThreshold(), 35);
        EXPECT_EQ(s.focusSound(), QStringLiteral("Submarine"));
        EXPECT_TRUE(std::isinf(s.hudDuration())); // used as stored; clamped where it is used
    }
    store.reset();
    QSettings raw(path, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("displayMode")).toString(), QStringLiteral("id:4294967296"));
    EXPECT_EQ(raw.value(QStringLiteral("shelfAutoClear")).toString(), QStringLiteral("3"));
    EXPECT_EQ(raw.value(QStringLiteral("appLanguage")).toString(), QStringLiteral("TR"));
    EXPECT_EQ(raw.value(QStringLiteral("animationStyle")).toString(), QString());
    EXPECT_EQ(raw.value(QStringLiteral("openSize")).toString(), QStringLiteral("large"));
    EXPECT_EQ(raw.value(QStringLiteral("hoverDelay")).toString(), QStringLiteral("250.5"));
    EXPECT_EQ(raw.value(QStringLiteral("haptics")).toString(), QStringLiteral("false"));
    EXPECT_EQ(raw.value(QStringLiteral("breakMinutes")).toString(), QStringLiteral("abc"));
    EXPECT_EQ(raw.value(QStringLiteral("unrelated")).toString(), QStringLiteral("kept"));
}

// Numbers that do not fit a setting are clamped for use, never written back:
// loading leaves the file byte for byte as it was, and only what the user
// sets afterwards is written.
TEST_F(NotchSettingsTest, LoadingNeverWritesTheFile) {
    const QByteArray file = "[General]\n"
                            "breakMinutes=8589934592\n"
                            "lowBatteryThreshold=-4294967296\n"
                            "shelfAutoClear=4294967326\n"
                            "openSize=huge\n"
                            "displayMode=id:4294967296\n";
    writeStore(file);
    const auto bytesOnDisk = [this] {
        store->sync();
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    {
        NotchSettings s(*store);
        EXPECT_EQ(s.breakMinutes(), std::numeric_limits<int>::max());
        EXPECT_EQ(s.lowBatteryThreshold(), std::numeric_limits<int>::min());
        EXPECT_EQ(s.shelfAutoClear(), ShelfAutoClear::never);
        EXPECT_EQ(bytesOnDisk(), file);

        s.setHudDuration(3.0);
        EXPECT_EQ(store->doubleValue(QStringLiteral("hudDuration")), 3.0);
        EXPECT_EQ(stored("breakMinutes"), QStringLiteral("8589934592"));
    }
    // A later start reads the same values and still writes nothing.
    const QByteArray afterChange = bytesOnDisk();
    store = std::make_unique<DefaultsStore>(path);
    NotchSettings again(*store);
    EXPECT_EQ(again.breakMinutes(), std::numeric_limits<int>::max());
    EXPECT_EQ(again.hudDuration(), 3.0);
    EXPECT_EQ(bytesOnDisk(), afterChange);
}

// Every observer of a change, the views that rebuild their texts among them,
// must find the new value in the store: texts read the language from there.
TEST(NotchSettingsLanguage, ObserversOfALanguageChangeSeeTheNewLanguage) {
    DefaultsStore& standard = DefaultsStore::standard();
    NotchSettings s(standard);
    QStringList seen;
    QObject::connect(&s, &NotchSettings::languageChanged,
                     [&] { seen << localized("Settings…", "Ayarlar…"); });
    s.setLanguage(AppLanguage::tr);
    s.setLanguage(AppLanguage::en);
    s.setLanguage(AppLanguage::tr);
    standard.remove(QStringLiteral("appLanguage"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Ayarlar…"), QStringLiteral("Settings…"),
                                 QStringLiteral("Ayarlar…")}));
}

TEST(NotchSettingsEnums, RawValuesTitlesAndChoices) {
    EXPECT_EQ(rawValue(ShelfAutoClear::month), 30);
    EXPECT_EQ(rawValue(DefaultTabOption::focus), QStringLiteral("focus"));
    EXPECT_EQ(displayTitle(OpenSizePreset::large), QStringLiteral("Wide"));
    EXPECT_EQ(displayTitle(ShelfAutoClear::week), QStringLiteral("After 1 week"));
    const QStringList choices = NotchSettings::focusSoundChoices();
    ASSERT_EQ(choices.size(), 10);
    EXPECT_EQ(choices.first(), QString());
    EXPECT_EQ(choices.at(1), QStringLiteral("Glass"));
    EXPECT_EQ(choices.last(), QStringLiteral("Bottle"));
}
