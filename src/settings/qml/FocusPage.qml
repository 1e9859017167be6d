import QtQuick
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    property QtObject actions

    SettingsSection {
        title: Language.localized("When time's up", "Süre dolunca")

        SettingRow {
            objectName: "row.focusSound"
            symbol: "speaker.wave.2.fill"
            tint: "#ff2d55"
            title: Language.localized("End sound", "Bitiş sesi")

            DropDownPicker {
                objectName: "picker"
                implicitWidth: 130
                titles: sounds.titles
                selectedIndex: sounds.currentIndex
                onActivated: index => sounds.choose(index)
                SettingChoices {
                    id: sounds
                    settings: page.settings
                    key: "focusSound"
                }
            }
            PillButton {
                objectName: "playSound"
                symbol: "play.fill"
                onClicked: page.actions.playSound(sounds.currentValue)
            }
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.autoBreak"
            symbol: "cup.and.saucer.fill"
            tint: "#a2845e"
            title: Language.localized("Start breaks automatically", "Otomatik mola başlat")
            subtitle: Language.localized("When focus ends, a break timer starts by itself, then goes back to your previous duration",
                                         "Odak bitince mola sayacı kendiliğinden başlar, mola bitince eski süreye döner")
            checked: page.settings.autoBreak
            onToggled: value => page.settings.autoBreak = value
        }
        RowDivider {}
        SettingRow {
            objectName: "row.breakMinutes"
            symbol: "clock.fill"
            tint: "#ff6b3d"
            title: Language.localized("Break length", "Mola süresi")

            StepperControl {
                objectName: "stepper"
                settings: page.settings
                key: "breakMinutes"
                from: 1
                to: 30
                step: 1
                format: RangedSetting.Minutes
            }
        }
    }
}
