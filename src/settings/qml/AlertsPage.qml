import QtQuick
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    property QtObject actions

    SettingsSection {
        title: Language.localized("Battery", "Pil")

        ToggleRow {
            objectName: "row.showBatteryHUD"
            symbol: "battery.100percent.bolt"
            tint: "#34c759"
            title: Language.localized("Battery and charging alerts", "Pil ve şarj bildirimleri")
            subtitle: Language.localized("When plugged in or unplugged, fully charged, or low",
                                         "Şarj takılınca/çıkınca, tam dolunca ve pil azalınca")
            checked: page.settings.showBatteryHUD
            onToggled: value => page.settings.showBatteryHUD = value
        }
        RowDivider {}
        SliderRow {
            objectName: "row.lowBatteryThreshold"
            symbol: "battery.25percent"
            tint: "#ff3b30"
            title: Language.localized("Low battery warning", "Düşük pil uyarısı")
            settings: page.settings
            key: "lowBatteryThreshold"
            from: 10
            to: 50
            step: 5
            format: RangedSetting.Percent
        }
    }

    SettingsSection {
        title: Language.localized("Devices", "Cihazlar")

        ToggleRow {
            objectName: "row.showDeviceHUD"
            symbol: "airpodspro"
            tint: "#0a84ff"
            title: Language.localized("Headphone and audio device alerts",
                                      "Kulaklık ve ses cihazı bildirimleri")
            subtitle: Language.localized("When AirPods connect or the audio output changes",
                                         "AirPods bağlanınca ya da ses çıkışı değişince")
            checked: page.settings.showDeviceHUD
            onToggled: value => page.settings.showDeviceHUD = value
        }
    }

    SettingsSection {
        title: Language.localized("Appearance", "Görünüm")

        SliderRow {
            objectName: "row.hudDuration"
            symbol: "clock.fill"
            tint: "#5e5ce6"
            title: Language.localized("Alert duration", "Bildirim süresi")
            settings: page.settings
            key: "hudDuration"
            from: 1.5
            to: 6.0
            step: 0.5
            format: RangedSetting.Seconds
        }
        RowDivider {}
        SettingRow {
            objectName: "row.sampleAlert"
            symbol: "play.circle.fill"
            tint: "#af52de"
            title: Language.localized("Sample alert", "Örnek bildirim")
            subtitle: Language.localized("See how it looks in the notch",
                                         "Notch'ta nasıl göründüğünü dene")

            PillButton {
                objectName: "showSample"
                text: Language.localized("Show", "Göster")
                onClicked: page.actions.showSampleAlert()
            }
        }
    }
}
