import QtQuick
import QtQuick.Controls
import Zelvik.Views 1.0

// Right-click on the notch: Settings…, a divider, Quit Zelvik. Dark, like the
// notch it belongs to.
Menu {
    id: menu
    objectName: "contextMenu"

    required property QtObject model
    signal quitRequested

    palette.window: "#2a2a2c"
    palette.base: "#2a2a2c"
    palette.windowText: "#f2f2f2"
    palette.text: "#f2f2f2"
    palette.buttonText: "#f2f2f2"
    palette.button: "#2a2a2c"
    palette.mid: "#4a4a4c"
    palette.dark: "#1c1c1e"
    palette.light: "#3a3a3c"
    palette.highlight: "#3d7be0"
    palette.highlightedText: "#ffffff"

    MenuItem {
        objectName: "settingsItem"
        text: Language.localized("Settings…", "Ayarlar…")
        onTriggered: menu.model.showSettingsWindow()
    }
    MenuSeparator {}
    MenuItem {
        objectName: "quitItem"
        text: Language.localized("Quit Zelvik", "Zelvik'den çık")
        onTriggered: menu.quitRequested()
    }
}
