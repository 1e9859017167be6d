// The settings window loaded for real (offscreen) over a real model, driven
// by mouse clicks the way a user drives it.
#include "SettingsWindowFixture.h"

#include "settings/AppLanguage.h"
#include "settings/MusicAppRows.h"
#include "settings/SettingsPage.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

#include <cmath>

namespace zelvik::test {
namespace {

enum class Control { toggle, segmented, dropDown, slider, stepper, other };

struct RowCase {
    SettingsPage page;
    const char* row;
    const char* title;
    Control control;
    // The store key; the property is the same name ("appLanguage" is "language").
    const char* key = "";
    // Pickers: the stored value of each option, in order.
    QVariantList options = {};
    double from = 0;
    double to = 0;
    // 0 for a continuous slider.
    double step = 0;
};

using P = SettingsPage;
using C = Control;

// Every row of every page, in page order and, within a page, top to bottom.
const QList<RowCase>& allRows() {
    static const QList<RowCase> rows{
        {P::general, "row.language", "App language", C::segmented, "appLanguage", {"en", "tr"}},
        {P::general,
         "row.displayMode",
         "Show the notch on",
         C::dropDown,
         "displayMode",
         {"builtin", "primary", "mouse", "id:11", "id:22"}},
        {P::general, "row.hideWhenIdleWithoutNotch", "Hide when idle on displays without a notch",
         C::toggle, "hideWhenIdleWithoutNotch"},
        {P::general, "row.launchAtLogin", "Launch at login", C::other},
        {P::general, "row.showMenuBarIcon", "Menu bar icon", C::toggle, "showMenuBarIcon"},
        {P::general, "row.hotKeyEnabled", "Toggle with a shortcut", C::toggle, "hotKeyEnabled"},

        {P::appearance, "row.glassAmount", "Glass amount", C::slider, "glassAmount", {}, 0, 1, 0},
        {P::appearance, "row.glassWhenClosed", "Glass when closed too", C::toggle,
         "glassWhenClosed"},
        {P::appearance, "row.tintWithArtwork", "Tint with album color", C::toggle,
         "tintWithArtwork"},
        {P::appearance,
         "row.openSize",
         "Open notch size",
         C::segmented,
         "openSize",
         {"compact", "regular", "large"}},
        {P::appearance,
         "row.animationStyle",
         "Animation",
         C::segmented,
         "animationStyle",
         {"bouncy", "smooth", "snappy"}},
        {P::appearance, "row.showShadow", "Shadow when open", C::toggle, "showShadow"},

        {P::behavior, "row.openOnHover", "Open on hover", C::toggle, "openOnHover"},
        {P::behavior, "row.hoverDelay", "Open delay", C::slider, "hoverDelay", {}, 0, 600, 20},
        {P::behavior,
         "row.closeDelay",
         "Close delay after the cursor leaves",
         C::slider,
         "closeDelay",
         {},
         100,
         1200,
         50},
        {P::behavior,
         "row.defaultTab",
         "Tab to show when opened",
         C::dropDown,
         "defaultTab",
         {"last", "music", "shelf", "focus"}},
        {P::behavior, "row.swipeToSkip", "Swipe to change songs", C::toggle, "swipeToSkip"},
        {P::behavior, "row.haptics", "Haptic feedback", C::toggle, "haptics"},

        {P::music, "row.showMusicActivity", "Show what's playing in the wings", C::toggle,
         "showMusicActivity"},
        {P::music, "row.trackChangeHUD", "Announce song changes", C::toggle, "trackChangeHUD"},
        {P::music, "row.artworkGlow", "Artwork glow", C::toggle, "artworkGlow"},
        {P::music, "row.player0", "Spotify", C::other},
        {P::music, "row.player1", "Rhythmbox", C::other},
        {P::music, "row.automationPermission", "Automation permission", C::other},

        {P::shelf,
         "row.shelfCopyFiles",
         "Files dropped on the shelf",
         C::segmented,
         "shelfCopyFiles",
         {false, true}},
        {P::shelf,
         "row.shelfAutoClear",
         "Clear old items automatically",
         C::dropDown,
         "shelfAutoClear",
         {0, 1, 7, 30}},
        {P::shelf, "row.screenshotsToShelf", "Add screenshots to the shelf", C::toggle,
         "screenshotsToShelf"},
        {P::shelf, "row.shelfItems", "Items on the shelf", C::other},

        {P::focus,
         "row.focusSound",
         "End sound",
         C::dropDown,
         "focusSound",
         {"", "Glass", "Hero", "Ping", "Purr", "Submarine", "Tink", "Funk", "Blow", "Bottle"}},
        {P::focus, "row.autoBreak", "Start breaks automatically", C::toggle, "autoBreak"},
        {P::focus, "row.breakMinutes", "Break length", C::stepper, "breakMinutes", {}, 1, 30, 1},

        {P::alerts, "row.showBatteryHUD", "Battery and charging alerts", C::toggle,
         "showBatteryHUD"},
        {P::alerts,
         "row.lowBatteryThreshold",
         "Low battery warning",
         C::slider,
         "lowBatteryThreshold",
         {},
         10,
         50,
         5},
        {P::alerts, "row.showDeviceHUD", "Headphone and audio device alerts", C::toggle,
         "showDeviceHUD"},
        {P::alerts,
         "row.hudDuration",
         "Alert duration",
         C::slider,
         "hudDuration",
         {},
         1.5,
         6.0,
         0.5},
        {P::alerts, "row.sampleAlert", "Sample alert", C::other},

        {P::about, "row.reset", "Restore all settings to defaults", C::other},
    };
    return rows;
}

QString propertyName(const QString& key) {
    return key == u"appLanguage" ? QStringLiteral("language") : key;
}

class SettingsWindowTest : public SettingsWindowFixture {
protected:
    QVariant property(const QString& key) const {
        return settings->property(propertyName(key).toLatin1().constData());
    }

    QString textOf(QQuickItem* item) const {
        return item ? item->property("text").toString() : QString();
    }

    // The value the row's control shows, the stored one and the live one agree.
    void expectSliderAt(const RowCase& c, QQuickItem* slider, const std::string& step) {
        const double live = property(QString::fromLatin1(c.key)).toDouble();
        const double kept = stored(QString::fromLatin1(c.key)).toDouble();
        EXPECT_EQ(live, kept) << c.row << " " << step;
        EXPECT_GE(live, c.from) << c.row << " " << step;
        EXPECT_LE(live, c.to) << c.row << " " << step;
        if (c.step > 0) {
            const double steps = (live - c.from) / c.step;
            EXPECT_NEAR(steps, std::round(steps), 1e-9) << c.row << " " << step << " " << live;
        }
        EXPECT_NEAR(slider->property("value").toDouble(), live, 1e-9) << c.row << " " << step;
    }

    void driveToggle(const RowCase& c, QQuickItem* r) {
        QQuickItem* toggle = find(QStringLiteral("toggle"), r);
        ASSERT_NE(toggle, nullptr) << c.row;
        const QString key = QString::fromLatin1(c.key);
        const bool before = property(key).toBool();
        click(toggle);
        EXPECT_EQ(property(key).toBool(), !before) << c.row;
        EXPECT_EQ(stored(key).toBool(), !before) << c.row;
        EXPECT_EQ(toggle->property("checked").toBool(), !before) << c.row;
        click(toggle);
        EXPECT_EQ(property(key).toBool(), before) << c.row;
        EXPECT_EQ(stored(key).toBool(), before) << c.row;
    }

    void drivePicker(const RowCase& c, QQuickItem* r) {
        QQuickItem* picker = find(QStringLiteral("picker"), r);
        ASSERT_NE(picker, nullptr) << c.row;
        const QString key = QString::fromLatin1(c.key);
        // Last option first, so that every choice is a change.
        for (int i = int(c.options.size()) - 1; i >= 0; --i) {
            if (c.control == C::segmented)
                click(find(QStringLiteral("segment") + QString::number(i), picker));
            else
                chooseFromDropDown(picker, i);
            EXPECT_EQ(stored(key).toString(), c.options.at(i).toString()) << c.row << " " << i;
            EXPECT_EQ(picker->property("currentIndex").toInt(), i) << c.row << " " << i;
        }
    }

    void driveSlider(const RowCase& c, QQuickItem* r) {
        QQuickItem* slider = find(QStringLiteral("slider"), r);
        ASSERT_NE(slider, nullptr) << c.row;
        const QString key = QString::fromLatin1(c.key);
        const double w = slider->width();
        const double y = slider->height() / 2;
        auto point = [&](double x) { return slider->mapToScene({x, y}).toPoint(); };

        click(slider, {w - 1, y});
        EXPECT_NEAR(property(key).toDouble(), c.to, 1e-9) << c.row;
        expectSliderAt(c, slider, "right end");
        click(slider, {0, y});
        EXPECT_NEAR(property(key).toDouble(), c.from, 1e-9) << c.row;
        expectSliderAt(c, slider, "left end");
        for (const double fraction : {0.37, 0.5, 0.81}) {
            click(slider, {w * fraction, y});
            expectSliderAt(c, slider, "at " + std::to_string(fraction));
            EXPECT_GT(property(key).toDouble(), c.from) << c.row;
            EXPECT_LT(property(key).toDouble(), c.to) << c.row;
        }
        // Dragging past either end, as far as the window goes, stops at the end.
        const QPoint farRight(window().width() - 1, point(0).y());
        const QPoint farLeft(0, point(0).y());
        ASSERT_GT(farRight.x(), point(w).x());
        ASSERT_LT(farLeft.x(), point(0).x());
        QTest::mousePress(&window(), Qt::LeftButton, {}, point(w / 2));
        QTest::mouseMove(&window(), farRight);
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, farRight);
        settle();
        EXPECT_NEAR(property(key).toDouble(), c.to, 1e-9) << c.row;
        expectSliderAt(c, slider, "dragged past the right");
        QTest::mousePress(&window(), Qt::LeftButton, {}, point(w / 2));
        QTest::mouseMove(&window(), farLeft);
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, farLeft);
        settle();
        EXPECT_NEAR(property(key).toDouble(), c.from, 1e-9) << c.row;
        expectSliderAt(c, slider, "dragged past the left");
    }

    void driveStepper(const RowCase& c, QQuickItem* r) {
        QQuickItem* up = find(QStringLiteral("increment"), r);
        QQuickItem* down = find(QStringLiteral("decrement"), r);
        ASSERT_TRUE(up && down) << c.row;
        const QString key = QString::fromLatin1(c.key);
        settings->setProperty(c.key, int(c.to) - 1);
        settle();
        click(up);
        EXPECT_EQ(stored(key).toInt(), int(c.to)) << c.row;
        click(up);
        EXPECT_EQ(property(key).toInt(), int(c.to)) << c.row;
        EXPECT_EQ(stored(key).toInt(), int(c.to)) << c.row;
        settings->setProperty(c.key, int(c.from) + 1);
        settle();
        click(down);
        click(down);
        EXPECT_EQ(property(key).toInt(), int(c.from)) << c.row;
        EXPECT_EQ(stored(key).toInt(), int(c.from)) << c.row;
        EXPECT_EQ(textOf(find(QStringLiteral("valueText"), r)), QStringLiteral("1 min"));
    }

    void driveOther(const RowCase& c, QQuickItem* r) {
        const QString name = QString::fromLatin1(c.row);
        if (name == u"row.launchAtLogin") {
            QQuickItem* toggle = find(QStringLiteral("toggle"), r);
            ASSERT_FALSE(QFile::exists(autostart->path()));
            click(toggle);
            EXPECT_TRUE(autostart->isEnabled());
            EXPECT_TRUE(toggle->property("checked").toBool());
            click(toggle);
            EXPECT_FALSE(QFile::exists(autostart->path()));
            EXPECT_FALSE(toggle->property("checked").toBool());
        } else if (name == u"row.player0") {
            // Installed, not running: a click starts it from its entry.
            EXPECT_EQ(textOf(find(QStringLiteral("stateText"), r)), QStringLiteral("Installed"));
            click(r);
            EXPECT_EQ(playerApplications->launched, QStringList{"spotify.desktop"});
        } else if (name == u"row.player1") {
            // Running: a click brings it forward and starts nothing.
            EXPECT_EQ(textOf(find(QStringLiteral("stateText"), r)), QStringLiteral("Running"));
            click(r);
            EXPECT_TRUE(waitForScript(QStringLiteral("tell application \"Music\" to activate")));
            EXPECT_EQ(playerApplications->launched, QStringList{"spotify.desktop"});
            // Quitting shows at once.
            playerNotifications->quit(MusicSource::appleMusic);
            EXPECT_EQ(textOf(find(QStringLiteral("stateText"), r)), QStringLiteral("Installed"));
            playerNotifications->run(MusicSource::appleMusic);
        } else if (name == u"row.automationPermission") {
            // What the music monitor tells: a player that refused a script,
            // until one answers.
            QQuickItem* subtitle = find(QStringLiteral("rowSubtitle"), r);
            EXPECT_EQ(textOf(subtitle), QStringLiteral("All good"));
            const QString position = tellTo("Music", "return player position");
            for (const auto& [answer, refused] :
                 {std::pair{errorOutput(-1743), true}, {textOutput("1.5"), false}}) {
                {
                    const QMutexLocker lock(&scripts->mutex);
                    scripts->answers.insert(position, answer);
                }
                // Each new song makes the monitor read the playhead.
                playerNotifications->post(
                    MusicSource::appleMusic,
                    {{"Player State", "Playing"}, {"Name", refused ? "One" : "Two"}});
                const bool expected = refused; // clang 14 cannot capture a binding
                EXPECT_TRUE(
                    QTest::qWaitFor([&] { return music->needsPermission() == expected; }, 20000));
                EXPECT_EQ(textOf(subtitle), refused
                                                ? QStringLiteral("Not allowed; controls won't work")
                                                : QStringLiteral("All good"));
            }
        } else if (name == u"row.shelfItems") {
            QQuickItem* subtitle = find(QStringLiteral("rowSubtitle"), r);
            EXPECT_EQ(textOf(subtitle), QStringLiteral("2 items"));
            click(find(QStringLiteral("showFolder"), r));
            ASSERT_EQ(revealer.revealed.size(), 1);
            EXPECT_EQ(revealer.revealed.first().toLocalFile(), shelfStore->shelfFolder());
            click(find(QStringLiteral("emptyShelf"), r));
            EXPECT_TRUE(model->shelf().isEmpty());
            EXPECT_TRUE(shelfStore->loadShelf().isEmpty());
            EXPECT_EQ(textOf(subtitle), QStringLiteral("0 items"));
        } else if (name == u"row.sampleAlert") {
            click(find(QStringLiteral("showSample"), r));
            ASSERT_TRUE(model->hud().has_value());
            EXPECT_EQ(model->hud()->title, QStringLiteral("Hi, I'm Zelvik"));
            EXPECT_EQ(model->hud()->symbol, QStringLiteral("sparkles"));
        } else if (name == u"row.reset") {
            // Cancelling the confirmation resets nothing.
            settings->setHaptics(false);
            click(find(QStringLiteral("resetButton"), r));
            QQuickItem* cancel = find(QStringLiteral("cancelReset"));
            ASSERT_NE(cancel, nullptr);
            ASSERT_TRUE(cancel->isVisible());
            click(cancel);
            EXPECT_FALSE(settings->haptics());
            settings->setHaptics(true);
        } else {
            ADD_FAILURE() << "no driver for " << c.row;
        }
    }
};

TEST_F(SettingsWindowTest, EveryRowOfEveryPageIsInPlaceInOrderAndChangesItsSetting) {
    shelfStore->addText(QStringLiteral("first"));
    shelfStore->addText(QStringLiteral("second"));
    showWindow();

    for (const SettingsPage p : kAllSettingsPages) {
        SCOPED_TRACE(rawValue(p).toStdString());
        selectPage(p);
        ASSERT_TRUE(page(p)->isVisible());
        EXPECT_EQ(textOf(find(QStringLiteral("pageTitle"))), displayTitle(p));
        if (p == SettingsPage::music) {
            // The desktop's own player, where "Apple Music" would stand.
            EXPECT_EQ(textOf(find(QStringLiteral("pageSubtitle"))),
                      QStringLiteral("Spotify and Rhythmbox controls"));
        }

        // The page shows exactly the rows of the table, in its order.
        QStringList expected;
        for (const RowCase& c : allRows())
            if (c.page == p)
                expected << QString::fromLatin1(c.row);
        QList<QQuickItem*> shown;
        std::function<void(QQuickItem*)> gather = [&](QQuickItem* item) {
            if (item->objectName().startsWith(u"row."))
                shown << item;
            for (QQuickItem* child : item->childItems())
                gather(child);
        };
        gather(page(p));
        QQuickItem* content = page(p)->property("contentItem").value<QQuickItem*>();
        std::sort(shown.begin(), shown.end(), [&](QQuickItem* a, QQuickItem* b) {
            return a->mapToItem(content, {0, 0}).y() < b->mapToItem(content, {0, 0}).y();
        });
        QStringList names;
        for (QQuickItem* item : shown)
            names << item->objectName();
        EXPECT_EQ(names, expected);

        for (const RowCase& c : allRows()) {
            if (c.page != p)
                continue;
            SCOPED_TRACE(c.row);
            QQuickItem* r = row(p, QString::fromLatin1(c.row));
            ASSERT_NE(r, nullptr);
            ensureVisible(r);
            EXPECT_EQ(textOf(find(QStringLiteral("rowTitle"), r)), QString::fromUtf8(c.title));
            switch (c.control) {
            case C::toggle:
                driveToggle(c, r);
                break;
            case C::segmented:
            case C::dropDown:
                drivePicker(c, r);
                break;
            case C::slider:
                driveSlider(c, r);
                break;
            case C::stepper:
                driveStepper(c, r);
                break;
            case C::other:
                driveOther(c, r);
                break;
            }
        }
        // Language rows switch to Turkish and back: every page ends in English.
        if (settings->language() != AppLanguage::en)
            settings->setLanguage(AppLanguage::en);
    }
}

TEST_F(SettingsWindowTest, TheOpenDelayIsDimmedWithoutHoverOpeningButStillWorks) {
    showWindow(SettingsPage::behavior);
    QQuickItem* delay = row(SettingsPage::behavior, QStringLiteral("row.hoverDelay"));
    ASSERT_NE(delay, nullptr);
    EXPECT_DOUBLE_EQ(delay->opacity(), 1.0);
    click(find(QStringLiteral("toggle"), row(SettingsPage::behavior, "row.openOnHover")));
    ASSERT_FALSE(settings->openOnHover());
    EXPECT_DOUBLE_EQ(delay->opacity(), 0.5);
    QQuickItem* slider = find(QStringLiteral("slider"), delay);
    click(slider, {slider->width() - 1, slider->height() / 2});
    EXPECT_EQ(settings->hoverDelay(), 600.0);
}

TEST_F(SettingsWindowTest, TheDisplayPickerListsEveryScreenAndFollowsScreenChanges) {
    showWindow();
    QQuickItem* picker = find(QStringLiteral("picker"),
                              row(SettingsPage::general, QStringLiteral("row.displayMode")));
    EXPECT_EQ(picker->property("titles").toStringList(),
              (QStringList{"Built-in display (with notch)", "Main display (with the menu bar)",
                           "Display with the cursor", "Built-in (with notch)", "DELL U2720Q"}));
    // Fewer screens: the choice on show stays what is chosen.
    chooseFromDropDown(picker, 2);
    ASSERT_EQ(settings->displayMode(), NotchDisplayMode::mouse());
    desktop.screenList.removeFirst();
    controller->show(*model);
    EXPECT_EQ(picker->property("titles").toStringList().size(), 4);
    EXPECT_EQ(picker->property("currentIndex").toInt(), 2);
    EXPECT_EQ(picker->property("displayText").toString(),
              QStringLiteral("Display with the cursor"));
    desktop.screenList.prepend(desktop.screenList.first());
    desktop.screenList.first().name = QStringLiteral("Built-in");
    desktop.screenList.first().topInset = 32;
    desktop.screenList.first().displayNumber = 11;
    // A screen unplugged while chosen stays on show as what is chosen.
    settings->setDisplayMode(NotchDisplayMode::specific(22));
    desktop.screenList.removeLast();
    chooseFromDropDown(picker, 0);
    EXPECT_EQ(settings->displayMode(), NotchDisplayMode::builtIn());
    settings->setDisplayMode(NotchDisplayMode::specific(22));
    EXPECT_EQ(picker->property("titles").toStringList().last(),
              QStringLiteral("Disconnected display"));
    EXPECT_EQ(picker->property("currentIndex").toInt(), 4);
}

// Where the desktop keeps system-wide keys to itself (a Wayland session gives
// Zelvik no key grab), the shortcut row says how to bind the toggle command.
TEST_F(SettingsWindowTest, TheShortcutRowSaysHowToBindTheToggleWhereNoKeyCanBeTaken) {
    showWindow();
    QQuickItem* subtitle = find(QStringLiteral("rowSubtitle"),
                                row(SettingsPage::general, QStringLiteral("row.hotKeyEnabled")));
    ASSERT_NE(subtitle, nullptr);
    EXPECT_TRUE(textOf(subtitle).contains(u"“zelvik --toggle”")) << textOf(subtitle).toStdString();
    EXPECT_TRUE(textOf(subtitle).contains(u"GNOME, KDE Plasma"));
    settings->setLanguage(AppLanguage::tr);
    EXPECT_TRUE(textOf(subtitle).startsWith(u"Bu masaüstü kısayolları kendine saklar"))
        << textOf(subtitle).toStdString();
    EXPECT_TRUE(textOf(subtitle).contains(u"“zelvik --toggle”"));
}

TEST_F(SettingsWindowTest, TheShortcutRowNamesTheKeyWhereItCanBeTaken) {
    FakeShortcut grab;
    shortcut = &grab;
    showWindow();
    EXPECT_EQ(textOf(find(QStringLiteral("rowSubtitle"),
                          row(SettingsPage::general, QStringLiteral("row.hotKeyEnabled")))),
              QStringLiteral("Alt Super N, works from any app"));
}

TEST_F(SettingsWindowTest, SwitchingTheLanguageRelabelsTheWholeWindowAtOnce) {
    shelfStore->addText(QStringLiteral("one"));
    showWindow();
    const auto english = texts();
    ASSERT_GT(english.size(), 100);
    EXPECT_EQ(window().title(), QStringLiteral("Zelvik Settings"));

    settings->setLanguage(AppLanguage::tr);
    const auto turkish = texts();
    ASSERT_EQ(turkish.size(), english.size());
    // Names, numbers with units that read the same, and picker labels that
    // are written in their own language stay; everything else changes.
    const QStringList same{"",      "Zelvik",  "Tarnwell Works", "English", "Türkçe", "Normal",
                           "Glass", "Spotify", "Rhythmbox",      "180 ms",  "280 ms"};
    QStringList unchanged;
    for (int i = 0; i < english.size(); ++i)
        if (turkish[i].second == english[i].second && !same.contains(english[i].second))
            unchanged << english[i].second;
    EXPECT_TRUE(unchanged.isEmpty()) << unchanged.join(u" | ").toStdString();
    EXPECT_EQ(window().title(), QStringLiteral("Zelvik Ayarları"));
    QStringList all;
    for (const auto& t : turkish)
        all << t.second;
    // Upper-cased with Turkish rules: a dotted capital İ.
    EXPECT_TRUE(all.contains(QStringLiteral("CİHAZLAR")));
    EXPECT_TRUE(all.contains(QStringLiteral("%20")));
    EXPECT_TRUE(all.contains(QStringLiteral("2.6 sn")));
    EXPECT_TRUE(all.contains(QStringLiteral("1 öğe")));

    settings->setLanguage(AppLanguage::en);
    QStringList back;
    QStringList before;
    for (const auto& t : texts())
        back << t.second;
    for (const auto& t : english)
        before << t.second;
    ASSERT_EQ(back.size(), before.size());
    for (int i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i], before[i]) << i;
}

TEST_F(SettingsWindowTest, ConfirmedResetRestoresEverySettingRunsEachCallbackOnceAndKeepsTheShelf) {
    shelfStore->addText(QStringLiteral("kept"));
    showWindow(SettingsPage::about);
    int hotKey = 0, screenshots = 0, display = 0;
    settings->onHotKeyChange = [&] { ++hotKey; };
    settings->onScreenshotsChange = [&] { ++screenshots; };
    settings->onDisplayChange = [&] { ++display; };
    settings->setGlassAmount(0.7);
    settings->setOpenSize(OpenSizePreset::large);
    settings->setHoverDelay(420);
    settings->setFocusSound(QStringLiteral("Tink"));
    settings->setBreakMinutes(12);
    settings->setShelfAutoClear(ShelfAutoClear::week);
    settings->setShowMenuBarIcon(false);
    settings->setHotKeyEnabled(false);
    settings->setDisplayMode(NotchDisplayMode::specific(22));
    settings->setLanguage(AppLanguage::tr);
    hotKey = screenshots = display = 0;
    const QByteArray shelfFile = [&] {
        QFile f(shelfStore->shelfFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(shelfFile.isEmpty());

    click(find(QStringLiteral("resetButton"), row(SettingsPage::about, "row.reset")));
    QQuickItem* title = find(QStringLiteral("confirmationTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(textOf(title), QStringLiteral("Tüm ayarlar sıfırlansın mı?"));
    click(find(QStringLiteral("confirmReset")));

    for (const auto& [key, value] : NotchSettings::registeredDefaults())
        EXPECT_EQ(stored(key).toString(), value.toString()) << key.toStdString();
    EXPECT_EQ(settings->glassAmount(), 0.0);
    EXPECT_EQ(settings->openSize(), OpenSizePreset::regular);
    EXPECT_EQ(settings->hoverDelay(), 180.0);
    EXPECT_EQ(settings->focusSound(), QStringLiteral("Glass"));
    EXPECT_EQ(settings->breakMinutes(), 5);
    EXPECT_EQ(settings->shelfAutoClear(), ShelfAutoClear::never);
    EXPECT_TRUE(settings->showMenuBarIcon());
    EXPECT_TRUE(settings->hotKeyEnabled());
    EXPECT_EQ(settings->language(), AppLanguage::en);
    EXPECT_EQ(settings->displayMode(), NotchDisplayMode::builtIn());
    EXPECT_EQ(hotKey, 1);
    EXPECT_EQ(screenshots, 1);
    EXPECT_EQ(display, 1);
    EXPECT_EQ(model->shelf().size(), 1);
    QFile after(shelfStore->shelfFilePath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), shelfFile);
    // Back in English, the confirmation gone.
    QQuickItem* confirm = find(QStringLiteral("confirmReset"));
    EXPECT_TRUE(!confirm || !confirm->isVisible());
    EXPECT_EQ(window().title(), QStringLiteral("Zelvik Settings"));
}

TEST_F(SettingsWindowTest, ShowingTwiceKeepsOneWindowAndClosingOnlyHidesIt) {
    showWindow();
    QQuickView* first = controller->window();
    EXPECT_EQ(first->size(), QSize(840, 600));
    EXPECT_EQ(first->title(), QStringLiteral("Zelvik Settings"));
    const auto countSettingsWindows = [] {
        int count = 0;
        for (QWindow* w : QGuiApplication::topLevelWindows())
            if (w->title() == u"Zelvik Settings")
                ++count;
        return count;
    };
    controller->show(*model, SettingsPage::focus);
    EXPECT_EQ(controller->window(), first);
    EXPECT_EQ(countSettingsWindows(), 1);
    settle();
    EXPECT_TRUE(page(SettingsPage::focus)->isVisible());

    controller->show(*model, SettingsPage::music);
    settle();
    first->close();
    EXPECT_FALSE(first->isVisible());
    controller->show(*model, SettingsPage::alerts);
    EXPECT_EQ(controller->window(), first);
    EXPECT_TRUE(first->isVisible());
    settle();
    EXPECT_TRUE(page(SettingsPage::alerts)->isVisible());
    EXPECT_EQ(countSettingsWindows(), 1);
    // The second try at focusing is a task of its own, not a second window.
    time.advanceMs(150);
    EXPECT_EQ(countSettingsWindows(), 1);

    // Ctrl+W closes it like any preferences window, and it comes back.
    QTest::keyClick(first, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(first->isVisible());
    controller->show(*model, SettingsPage::general);
    EXPECT_TRUE(first->isVisible());
}

// Values written by hand or by an older version: the controls show them
// clamped, or as the default, and nothing is written until the user acts.
TEST_F(SettingsWindowTest, OutOfRangeValuesShowClampedAndAreNotRewrittenUntilChanged) {
    struct Case {
        const char* key;
        QVariant storedValue;
        SettingsPage page;
        const char* row;
        const char* shown;
    };
    const Case cases[] = {
        {"hoverDelay", -5.0, P::behavior, "row.hoverDelay", "0 ms"},
        {"hudDuration", 99.0, P::alerts, "row.hudDuration", "6.0 s"},
        {"breakMinutes", 0, P::focus, "row.breakMinutes", "1 min"},
        {"focusSound", QStringLiteral("Xylophone"), P::focus, "row.focusSound", "Glass"},
        {"lowBatteryThreshold", 1000, P::alerts, "row.lowBatteryThreshold", "50%"},
    };
    for (const Case& c : cases)
        DefaultsStore::standard().setValue(QString::fromLatin1(c.key), c.storedValue);
    showWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        selectPage(c.page);
        QQuickItem* r = row(c.page, QString::fromLatin1(c.row));
        ASSERT_NE(r, nullptr);
        QQuickItem* shown = find(QStringLiteral("valueText"), r);
        if (!shown)
            shown = find(QStringLiteral("picker"), r);
        ASSERT_NE(shown, nullptr);
        const QString text = shown->property("displayText").isValid()
                                 ? shown->property("displayText").toString()
                                 : textOf(shown);
        EXPECT_EQ(text, QString::fromLatin1(c.shown));
        EXPECT_EQ(stored(QString::fromLatin1(c.key)), c.storedValue);
    }
    DefaultsStore::standard().sync();
    EXPECT_EQ(stored(QStringLiteral("breakMinutes")).toInt(), 0);

    // The user's first step starts from what is shown.
    selectPage(P::focus);
    QQuickItem* stepper = row(P::focus, QStringLiteral("row.breakMinutes"));
    ensureVisible(stepper);
    click(find(QStringLiteral("increment"), stepper));
    EXPECT_EQ(settings->breakMinutes(), 2);
    EXPECT_EQ(stored(QStringLiteral("breakMinutes")).toInt(), 2);

    // Playing the sound plays what the picker shows.
    click(find(QStringLiteral("playSound"), row(P::focus, QStringLiteral("row.focusSound"))));
    EXPECT_EQ(sounds.played, QStringList{QStringLiteral("Glass")});
    EXPECT_EQ(stored(QStringLiteral("focusSound")).toString(), QStringLiteral("Xylophone"));
}

TEST_F(SettingsWindowTest, TheRealNotchOpensFromTheAppearancePageAndThePreviewFollowsTheSettings) {
    showWindow(SettingsPage::appearance);
    QQuickItem* background = find(QStringLiteral("previewBackground"));
    ASSERT_NE(background, nullptr);
    QQuickItem* notch = find(QStringLiteral("previewNotch"));
    EXPECT_DOUBLE_EQ(background->property("glass").toDouble(), 0.0);
    settings->setGlassAmount(0.6);
    QTRY_COMPARE_WITH_TIMEOUT(background->property("glass").toDouble(), 0.6, 5000);
    // Regular is 560 wide plus the flares; Wide is 660.
    QTRY_COMPARE_WITH_TIMEOUT(notch->width(), 592.0, 5000);
    settings->setOpenSize(OpenSizePreset::large);
    QTRY_COMPARE_WITH_TIMEOUT(notch->width(), 692.0, 5000);
    EXPECT_DOUBLE_EQ(notch->scale(), 0.5);

    QQuickItem* button = find(QStringLiteral("showOnRealNotch"));
    ensureVisible(button);
    click(button);
    EXPECT_EQ(model->status(), NotchStatus::open);
}

} // namespace
} // namespace zelvik::test
