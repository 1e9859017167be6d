#include "app/MenuContent.h"
#include "app/MenuBarExtra.h"
#include "model/ModelFixture.h"
#include "window/FakeDesktop.h" // tests/window

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace zelvik::test {
namespace {

class MenuContentTest : public ModelFixture {
protected:
    MenuContentTest() { desktop.screenList = FakeDesktop::laptopAndMonitor(); }

    // Text of each entry, "-" for a separator; the menu rebuilt as on opening.
    QStringList texts(QMenu& m) {
        emit m.aboutToShow();
        QStringList result;
        for (QAction* action : m.actions())
            result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return result;
    }

    QAction* entry(QMenu& m, const QString& text) {
        for (QAction* action : m.actions())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    FakeDesktop desktop;
    QMenu menu;
};

TEST_F(MenuContentTest, ItemsInOrderFollowingStatusAndLanguage) {
    MenuContent content(*model, &desktop, menu);
    EXPECT_EQ(texts(menu), (QStringList{"Open the notch", "Display", "Language", "Settings…", "-",
                                        "Quit Zelvik"}));
    model->hover(true);
    EXPECT_EQ(texts(menu).first(), QStringLiteral("Open the notch")); // peeking
    entry(menu, QStringLiteral("Open the notch"))->trigger();
    EXPECT_EQ(model->status(), NotchStatus::open);
    EXPECT_EQ(texts(menu).first(), QStringLiteral("Close the notch"));
    entry(menu, QStringLiteral("Close the notch"))->trigger();
    EXPECT_EQ(model->status(), NotchStatus::closed);

    // The interface language is read from the standard store.
    DefaultsStore::standard().setValue(QStringLiteral("appLanguage"), QStringLiteral("tr"));
    EXPECT_EQ(texts(menu),
              (QStringList{"Notch'u aç", "Ekran", "Dil", "Ayarlar…", "-", "Zelvik'den çık"}));
    DefaultsStore::standard().remove(QStringLiteral("appLanguage"));
    texts(menu);
    ASSERT_TRUE(entry(menu, QStringLiteral("Quit Zelvik")));
    EXPECT_EQ(entry(menu, QStringLiteral("Quit Zelvik"))->shortcut(),
              QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(MenuContentTest, SettingsIsEnabledOnlyWithASettingsWindow) {
    MenuContent content(*model, &desktop, menu);
    texts(menu);
    EXPECT_FALSE(entry(menu, QStringLiteral("Settings…"))->isEnabled());
    int shown = 0;
    model->onShowSettings = [&] { ++shown; };
    model->open();
    texts(menu);
    QAction* settingsEntry = entry(menu, QStringLiteral("Settings…"));
    ASSERT_TRUE(settingsEntry->isEnabled());
    settingsEntry->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(model->status(), NotchStatus::open); // the notch stays as it is
}

TEST_F(MenuContentTest, DisplayChoicesAreBoundToTheSetting) {
    MenuContent content(*model, &desktop, menu);
    texts(menu);
    QMenu* displays = entry(menu, QStringLiteral("Display"))->menu();
    ASSERT_TRUE(displays);
    EXPECT_EQ(texts(*displays),
              (QStringList{"Built-in display", "Main display", "Display with the cursor", "-",
                           "Built-in (with notch)", "DELL U2720Q"}));
    EXPECT_TRUE(entry(*displays, QStringLiteral("Built-in display"))->isChecked());
    entry(*displays, QStringLiteral("DELL U2720Q"))->trigger();
    EXPECT_EQ(settings.displayMode(), NotchDisplayMode::specific(22));

    texts(menu);
    displays = entry(menu, QStringLiteral("Display"))->menu();
    EXPECT_TRUE(entry(*displays, QStringLiteral("DELL U2720Q"))->isChecked());
    EXPECT_FALSE(entry(*displays, QStringLiteral("Built-in display"))->isChecked());
    entry(*displays, QStringLiteral("Display with the cursor"))->trigger();
    EXPECT_EQ(settings.displayMode(), NotchDisplayMode::mouse());
}

TEST_F(MenuContentTest, LanguageChoicesAreBoundToTheSetting) {
    MenuContent content(*model, &desktop, menu);
    texts(menu);
    QMenu* languages = entry(menu, QStringLiteral("Language"))->menu();
    ASSERT_TRUE(languages);
    EXPECT_EQ(texts(*languages), (QStringList{"English", "Türkçe"}));
    EXPECT_TRUE(entry(*languages, QStringLiteral("English"))->isChecked());
    entry(*languages, QStringLiteral("Türkçe"))->trigger();
    EXPECT_EQ(settings.language(), AppLanguage::tr);
}

// The menu is filled afresh at every opening; the previous filling, its
// submenus with their entries and choice groups included, must go.
TEST_F(MenuContentTest, OpeningTheMenuAgainAndAgainLeavesNothingBehind) {
    MenuContent content(*model, &desktop, menu);
    texts(menu);
    const qsizetype once = menu.findChildren<QObject*>().size();
    ASSERT_GT(once, 6);
    for (int i = 0; i < 100; ++i)
        texts(menu);
    EXPECT_EQ(menu.findChildren<QObject*>().size(), once);
    // The entries of the latest filling act as before.
    QMenu* languages = entry(menu, QStringLiteral("Language"))->menu();
    ASSERT_TRUE(languages);
    entry(*languages, QStringLiteral("Türkçe"))->trigger();
    EXPECT_EQ(settings.language(), AppLanguage::tr);
}

} // namespace
} // namespace zelvik::test

namespace zelvik::test {
namespace {

class MenuBarExtraTest : public ModelFixture {};

TEST_F(MenuBarExtraTest, TheTrayIconFollowsItsSettingAndCarriesTheMenu) {
    MenuBarExtra extra(*model, nullptr);
    EXPECT_TRUE(extra.trayIcon().isVisible());
    EXPECT_EQ(extra.trayIcon().contextMenu(), &extra.menu());
    EXPECT_FALSE(extra.trayIcon().icon().isNull());
    settings.setShowMenuBarIcon(false);
    EXPECT_FALSE(extra.trayIcon().isVisible());
    settings.setShowMenuBarIcon(true);
    EXPECT_TRUE(extra.trayIcon().isVisible());
    EXPECT_EQ(extra.menu().actions().size(), 6);
}

TEST_F(MenuBarExtraTest, StartsHiddenWhenTheSettingIsOff) {
    settings.setShowMenuBarIcon(false);
    MenuBarExtra extra(*model, nullptr);
    EXPECT_FALSE(extra.trayIcon().isVisible());
}

} // namespace
} // namespace zelvik::test
