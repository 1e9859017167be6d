import QtQuick
import QtQuick.Layouts
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    property QtObject model
    property QtObject actions

    SettingsSection {
        title: "Liquid Glass"
        footer: Language.localized(
                    "Drag the slider right and the notch goes from classic black to glass. The glass is blurred where the desktop supports it.",
                    "Sürgüyü sağa çektikçe notch klasik siyahtan cama geçer. Masaüstü destekliyorsa cam bulanıklaşır.")

        SliderRow {
            objectName: "row.glassAmount"
            symbol: "drop.fill"
            tint: "#0a84ff"
            title: Language.localized("Glass amount", "Cam miktarı")
            settings: page.settings
            key: "glassAmount"
            from: 0
            to: 1
            format: RangedSetting.FractionAsPercent
            minimumLabel: Language.localized("Black", "Siyah")
            maximumLabel: Language.localized("Glass", "Cam")
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.glassWhenClosed"
            symbol: "rectangle.topthird.inset.filled"
            tint: "#64d2ff"
            title: Language.localized("Glass when closed too", "Kapalıyken de cam")
            subtitle: Language.localized("The wings beside the physical notch turn to glass as well",
                                         "Fiziksel notch'un iki yanındaki kanatlar da cam olur")
            checked: page.settings.glassWhenClosed
            onToggled: value => page.settings.glassWhenClosed = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.tintWithArtwork"
            symbol: "paintpalette.fill"
            tint: "#ff375f"
            title: Language.localized("Tint with album color", "Albüm rengiyle renklendir")
            subtitle: Language.localized("While music plays, the glass takes on the cover's color",
                                         "Müzik çalarken cam, kapağın rengini alır")
            checked: page.settings.tintWithArtwork
            onToggled: value => page.settings.tintWithArtwork = value
        }
    }

    SettingsSection {
        title: Language.localized("Size and motion", "Boyut ve hareket")

        SettingRow {
            objectName: "row.openSize"
            symbol: "arrow.left.and.right"
            tint: "#5e5ce6"
            title: Language.localized("Open notch size", "Açık notch boyutu")

            SegmentedPicker {
                objectName: "picker"
                titles: sizes.titles
                currentIndex: sizes.currentIndex
                onActivated: index => sizes.choose(index)
                SettingChoices {
                    id: sizes
                    settings: page.settings
                    key: "openSize"
                }
            }
        }
        RowDivider {}
        SettingRow {
            objectName: "row.animationStyle"
            symbol: "wand.and.rays"
            tint: "#af52de"
            title: Language.localized("Animation", "Animasyon")

            SegmentedPicker {
                objectName: "picker"
                titles: styles.titles
                currentIndex: styles.currentIndex
                onActivated: index => styles.choose(index)
                SettingChoices {
                    id: styles
                    settings: page.settings
                    key: "animationStyle"
                }
            }
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.showShadow"
            symbol: "shadow"
            tint: "#636366"
            title: Language.localized("Shadow when open", "Açıkken gölge")
            checked: page.settings.showShadow
            onToggled: value => page.settings.showShadow = value
        }
    }

    NotchPreview {
        objectName: "notchPreview"
        model: page.model
        Layout.fillWidth: true
    }

    PillButton {
        objectName: "showOnRealNotch"
        symbol: "arrow.up.forward"
        text: Language.localized("Show on the real notch", "Gerçek notch'ta göster")
        Layout.alignment: Qt.AlignHCenter
        onClicked: page.actions.showOnRealNotch()
    }
}
