import QtQuick
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    property QtObject displays
    property QtObject launchAtLogin
    // False where the desktop keeps system-wide keys to itself (Wayland).
    property bool hotKeyAvailable: true

    // The login entry and the screens may change while the window is away.
    onVisibleChanged: {
        if (visible) {
            launchAtLogin.refresh()
            displays.refresh()
        }
    }

    SettingsSection {
        title: Language.localized("Language", "Dil")

        SettingRow {
            objectName: "row.language"
            symbol: "globe"
            tint: "#0a84ff"
            title: Language.localized("App language", "Uygulama dili")

            SegmentedPicker {
                objectName: "picker"
                titles: languages.titles
                currentIndex: languages.currentIndex
                onActivated: index => languages.choose(index)
                SettingChoices {
                    id: languages
                    settings: page.settings
                    key: "language"
                }
            }
        }
    }

    SettingsSection {
        title: Language.localized("Display", "Ekran")
        footer: Language.localized(
                    "On an external monitor, the notch appears as a capsule in the middle of the menu bar.",
                    "Harici monitörde notch, menü çubuğunun ortasında bir kapsül olarak görünür.")

        SettingRow {
            objectName: "row.displayMode"
            symbol: "display"
            tint: "#5e5ce6"
            title: Language.localized("Show the notch on", "Notch'un gösterileceği ekran")

            DropDownPicker {
                objectName: "picker"
                titles: page.displays.titles
                selectedIndex: page.displays.currentIndex
                implicitWidth: 230
                onActivated: index => page.displays.choose(index)
                onAboutToOpen: page.displays.refresh()
            }
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.hideWhenIdleWithoutNotch"
            symbol: "eye.slash.fill"
            tint: "#8e8e93"
            title: Language.localized("Hide when idle on displays without a notch",
                                      "Notch'suz ekranda boştayken gizle")
            checked: page.settings.hideWhenIdleWithoutNotch
            onToggled: value => page.settings.hideWhenIdleWithoutNotch = value
        }
    }

    SettingsSection {
        title: Language.localized("Startup and shortcuts", "Başlangıç ve kısayollar")

        ToggleRow {
            objectName: "row.launchAtLogin"
            symbol: "power"
            tint: "#34c759"
            title: Language.localized("Launch at login", "Girişte başlat")
            subtitle: Language.localized("Open Zelvik when you log in",
                                         "Oturum açınca Zelvik de açılsın")
            checked: page.launchAtLogin.enabled
            onToggled: value => page.launchAtLogin.enabled = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.showMenuBarIcon"
            symbol: "menubar.rectangle"
            tint: "#636366"
            title: Language.localized("Menu bar icon", "Menü çubuğu simgesi")
            subtitle: page.settings.showMenuBarIcon
                      ? ""
                      : Language.localized("While hidden, right-click the notch to reach Settings",
                                           "Gizliyken ayarlara notch'a sağ tıklayarak ulaşabilirsin")
            checked: page.settings.showMenuBarIcon
            onToggled: value => page.settings.showMenuBarIcon = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.hotKeyEnabled"
            symbol: "command"
            tint: "#ff9f0a"
            title: Language.localized("Toggle with a shortcut", "Kısayolla aç/kapat")
            subtitle: page.hotKeyAvailable
                      ? Language.localized("Alt Super N, works from any app",
                                           "Alt Super N, her uygulamadan çalışır")
                      : Language.localized(
                            "This desktop keeps shortcuts to itself: bind “zelvik --toggle” in its keyboard settings (GNOME, KDE Plasma) or configuration (sway, Hyprland)",
                            "Bu masaüstü kısayolları kendine saklar: klavye ayarlarında (GNOME, KDE Plasma) ya da yapılandırmasında (sway, Hyprland) “zelvik --toggle” için bir kısayol ata")
            checked: page.settings.hotKeyEnabled
            onToggled: value => page.settings.hotKeyEnabled = value
        }
    }
}
