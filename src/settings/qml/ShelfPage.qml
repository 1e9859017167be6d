import QtQuick
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    property QtObject actions

    SettingsSection {
        title: Language.localized("Files", "Dosyalar")

        SettingRow {
            objectName: "row.shelfCopyFiles"
            symbol: "doc.on.doc.fill"
            tint: "#0a84ff"
            title: Language.localized("Files dropped on the shelf", "Rafa bırakılan dosyalar")
            subtitle: page.settings.shelfCopyFiles
                      ? Language.localized("A copy is kept, so it stays on the shelf even if you move or delete the original",
                                           "Bir kopyası alınır; orijinali taşısan da silsen de rafta kalır")
                      : Language.localized("The file stays where it is; the shelf only keeps a shortcut",
                                           "Dosya yerinde kalır, raf yalnızca kısayolunu tutar")

            SegmentedPicker {
                objectName: "picker"
                titles: copying.titles
                currentIndex: copying.currentIndex
                onActivated: index => copying.choose(index)
                SettingChoices {
                    id: copying
                    settings: page.settings
                    key: "shelfCopyFiles"
                }
            }
        }
        RowDivider {}
        SettingRow {
            objectName: "row.shelfAutoClear"
            symbol: "calendar.badge.clock"
            tint: "#ff9f0a"
            title: Language.localized("Clear old items automatically",
                                      "Eski öğeleri otomatik temizle")

            DropDownPicker {
                objectName: "picker"
                titles: ages.titles
                selectedIndex: ages.currentIndex
                onActivated: index => ages.choose(index)
                SettingChoices {
                    id: ages
                    settings: page.settings
                    key: "shelfAutoClear"
                }
            }
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.screenshotsToShelf"
            symbol: "camera.viewfinder"
            tint: "#30b0c7"
            title: Language.localized("Add screenshots to the shelf", "Ekran görüntülerini rafa ekle")
            subtitle: Language.localized("New screenshots land on the shelf automatically",
                                         "Yeni bir ekran görüntüsü aldığında otomatik rafa düşer")
            checked: page.settings.screenshotsToShelf
            onToggled: value => page.settings.screenshotsToShelf = value
        }
    }

    SettingsSection {
        title: Language.localized("Shelf", "Raf")

        SettingRow {
            objectName: "row.shelfItems"
            symbol: "tray.full.fill"
            tint: "#ff9f0a"
            title: Language.localized("Items on the shelf", "Raftaki öğeler")
            // English counts one item in the singular; Turkish never inflects.
            subtitle: page.actions.shelfCount
                      + (page.actions.shelfCount === 1 ? Language.localized(" item", " öğe")
                                                       : Language.localized(" items", " öğe"))

            PillButton {
                objectName: "showFolder"
                text: Language.localized("Show folder", "Klasörü göster")
                onClicked: page.actions.showShelfFolder()
            }
            PillButton {
                objectName: "emptyShelf"
                text: Language.localized("Empty", "Boşalt")
                destructive: true
                onClicked: page.actions.emptyShelf()
            }
        }
    }
}
