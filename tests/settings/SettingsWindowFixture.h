#pragma once

#include "model/FocusFakes.h" // tests/model
#include "model/NotchModel.h"
#include "model/SoundPlayer.h"
#include "music/MusicFakes.h" // tests/music
#include "platform/linux/XdgAutostartEntry.h"
#include "settings/DefaultsStore.h"
#include "settings/NotchSettings.h"
#include "settings/SettingsWindowController.h"
#include "shelf/FileRevealer.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"
#include "support/VirtualTime.h"
#include "window/FakeDesktop.h" // tests/window

#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zelvik::test {

class RecordingRevealer final : public FileRevealer {
public:
    void reveal(const QUrl& file) override { revealed << file; }
    QList<QUrl> revealed;
};

// The settings window over a real model whose settings live in the
// standard store (the one every text reads its language from), emptied
// first; a real shelf and autostart entry in a temporary folder; a real
// music monitor whose players and scripts the test scripts: Spotify is
// installed, the desktop's other player (Rhythmbox) runs.
class SettingsWindowFixture : public ::testing::Test {
protected:
    SettingsWindowFixture();
    ~SettingsWindowFixture() override;
    // A warning from the window's QML (a binding that failed, a missing
    // type) fails the test.
    void TearDown() override;

    // Removes every setting from the standard store.
    static void clearStore();
    static QVariant stored(const QString& key);

    // Creates the model (after the test has put values in the store) with
    // its music monitor, and shows the window.
    void showWindow(SettingsPage page = SettingsPage::general);
    QQuickView& window() const { return *controller->window(); }

    // The first item with the object name under `parent` (the whole window
    // when null), popups included.
    QQuickItem* find(const QString& objectName, QQuickItem* parent = nullptr) const;
    // A row of a page: "page.general" / "row.hotKeyEnabled".
    QQuickItem* row(SettingsPage page, const QString& rowName) const;
    QQuickItem* page(SettingsPage page) const;
    // Clicks the page in the sidebar.
    void selectPage(SettingsPage page);
    // Scrolls the item's page so that the item is on screen.
    void ensureVisible(QQuickItem* item);
    // Runs polish and a frame, so layouts are in place.
    void settle();
    void click(QQuickItem* item, QPointF at = {-1, -1});
    // Opens a drop-down and picks the option at `index`.
    void chooseFromDropDown(QQuickItem* comboBox, int index);
    // Waits until the script has been sent to a player (bounded).
    bool waitForScript(const QString& script);
    // Every text item of the window with its text, symbols left out.
    QList<QPair<QQuickItem*, QString>> texts() const;
    // The names of the symbols on screen, in the order of the item tree; a
    // glyph of the icon font drawn without going through the symbol table
    // shows as an empty name.
    QStringList symbolsShown() const;

    QTemporaryDir folder;
    VirtualTime time;
    RecordingSounds sounds;
    RecordingRevealer revealer;
    FakeDesktop desktop;
    std::shared_ptr<ScriptTable> scripts = std::make_shared<ScriptTable>();
    ScriptRunner runner{[t = scripts] { return std::make_unique<ScriptedEngine>(t); }};
    // Owned by the monitor, which the model owns.
    FakeNotifications* playerNotifications = nullptr;
    ScriptedApplications* playerApplications = nullptr;
    MusicMonitor* music = nullptr;
    // The desktop's key grab, where it has one (none under Wayland).
    GlobalShortcut* shortcut = nullptr;
    std::unique_ptr<ShelfStore> shelfStore;
    std::unique_ptr<ShelfActions> shelfActions;
    std::unique_ptr<XdgAutostartEntry> autostart;
    std::unique_ptr<NotchModel> model;
    NotchSettings* settings = nullptr;
    // Last, so the window goes before everything it shows.
    std::unique_ptr<SettingsWindowController> controller;
};

} // namespace zelvik::test
