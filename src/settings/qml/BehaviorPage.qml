import QtQuick
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings

    SettingsSection {
        title: Language.localized("Opening and closing", "Açılma ve kapanma")

        ToggleRow {
            objectName: "row.openOnHover"
            symbol: "cursorarrow.rays"
            tint: "#0a84ff"
            title: Language.localized("Open on hover", "Üzerine gelince aç")
            subtitle: Language.localized("Otherwise, click to open", "Kapalıysa tıklayarak açılır")
            checked: page.settings.openOnHover
            onToggled: value => page.settings.openOnHover = value
        }
        RowDivider {}
        SliderRow {
            objectName: "row.hoverDelay"
            symbol: "timer"
            tint: "#ff9f0a"
            title: Language.localized("Open delay", "Açılma gecikmesi")
            settings: page.settings
            key: "hoverDelay"
            from: 0
            to: 600
            step: 20
            format: RangedSetting.Milliseconds
            // Only matters while hovering opens, but stays usable.
            opacity: page.settings.openOnHover ? 1 : 0.5
        }
        RowDivider {}
        SliderRow {
            objectName: "row.closeDelay"
            symbol: "hourglass"
            tint: "#ff6b3d"
            title: Language.localized("Close delay after the cursor leaves",
                                      "Fare ayrılınca kapanma gecikmesi")
            settings: page.settings
            key: "closeDelay"
            from: 100
            to: 1200
            step: 50
            format: RangedSetting.Milliseconds
        }
        RowDivider {}
        SettingRow {
            objectName: "row.defaultTab"
            symbol: "rectangle.stack.fill"
            tint: "#5e5ce6"
            title: Language.localized("Tab to show when opened", "Açılınca gösterilecek sekme")

            DropDownPicker {
                objectName: "picker"
                titles: tabs.titles
                selectedIndex: tabs.currentIndex
                onActivated: index => tabs.choose(index)
                SettingChoices {
                    id: tabs
                    settings: page.settings
                    key: "defaultTab"
                }
            }
        }
    }

    SettingsSection {
        title: Language.localized("Gestures", "Hareketler")
        footer: Language.localized(
                    "With the notch closed, swipe left with two fingers for the next song, right for the previous one. Click anywhere else to close the open notch.",
                    "Notch kapalıyken üzerinde iki parmakla sola kaydır: sonraki şarkı. Sağa kaydır: önceki şarkı. Notch açıkken başka bir yere tıklayınca kapanır.")

        ToggleRow {
            objectName: "row.swipeToSkip"
            symbol: "hand.draw.fill"
            tint: "#ff2d55"
            title: Language.localized("Swipe to change songs", "Kaydırarak şarkı değiştir")
            checked: page.settings.swipeToSkip
            onToggled: value => page.settings.swipeToSkip = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.haptics"
            symbol: "hand.tap.fill"
            tint: "#30b0c7"
            title: Language.localized("Haptic feedback", "Dokunsal geri bildirim")
            subtitle: Language.localized("Needs a haptic touchpad",
                                         "Dokunsal dokunmatik yüzey gerekir")
            checked: page.settings.haptics
            onToggled: value => page.settings.haptics = value
        }
    }
}
