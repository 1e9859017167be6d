import QtQuick
import QtQuick.Controls
import Zelvik.Views 1.0

// Right-click on the notch: Settings…, a divider, Quit Zelvik.
NotchMenu {
    id: menu
    objectName: "contextMenu"

    required property QtObject model
    signal quitRequested

    NotchMenuItem {
        objectName: "settingsItem"
        text: Language.localized("Settings…", "Ayarlar…")
        onTriggered: menu.model.showSettingsWindow()
    }
    NotchMenuSeparator {}
    NotchMenuItem {
        objectName: "quitItem"
        text: Language.localized("Quit Zelvik", "Zelvik'den çık")
        onTriggered: menu.quitRequested()
    }
}
