import QtQuick
import QtQuick.Layouts
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject settings
    // The rows of the players (MusicAppRows) and the music monitor behind
    // them, which also tells whether players accept control.
    property QtObject players
    property QtObject music
    readonly property bool needsPermission: music !== null && music.needsPermission === true

    SettingsSection {
        title: Language.localized("In the notch", "Notch'ta")

        ToggleRow {
            objectName: "row.showMusicActivity"
            symbol: "waveform"
            tint: "#ff2d55"
            title: Language.localized("Show what's playing in the wings",
                                      "Çalan müziği kanatlarda göster")
            subtitle: Language.localized("Cover and equalizer on both sides of the closed notch",
                                         "Kapalı notch'un iki yanında kapak ve ekolayzer")
            checked: page.settings.showMusicActivity
            onToggled: value => page.settings.showMusicActivity = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.trackChangeHUD"
            symbol: "music.note.list"
            tint: "#af52de"
            title: Language.localized("Announce song changes", "Şarkı değişince bildir")
            subtitle: Language.localized("The new song's title briefly appears in the notch",
                                         "Yeni şarkının adı notch'tan kısa süre görünür")
            checked: page.settings.trackChangeHUD
            onToggled: value => page.settings.trackChangeHUD = value
        }
        RowDivider {}
        ToggleRow {
            objectName: "row.artworkGlow"
            symbol: "sparkles"
            tint: "#ff9f0a"
            title: Language.localized("Artwork glow", "Kapak parıltısı")
            subtitle: Language.localized("A soft glow in the cover's color in the open notch",
                                         "Açık notch'ta kapağın rengiyle hafif bir ışık")
            checked: page.settings.artworkGlow
            onToggled: value => page.settings.artworkGlow = value
        }
    }

    SettingsSection {
        title: Language.localized("Apps", "Uygulamalar")
        footer: Language.localized("Zelvik talks to players that support media controls (MPRIS).",
                                   "Zelvik, medya denetimini (MPRIS) destekleyen oynatıcılarla konuşur.")

        Repeater {
            model: page.players
            delegate: ColumnLayout {
                required property int index
                required property string name
                required property url iconSource
                required property string stateText
                required property bool installed
                required property bool running
                spacing: 0
                Layout.fillWidth: true

                MusicAppRow {
                    objectName: "row.player" + index
                    name: parent.name
                    iconSource: parent.iconSource
                    stateText: parent.stateText
                    installed: parent.installed
                    running: parent.running
                    onClicked: page.players.open(parent.index)
                }
                RowDivider {}
            }
        }
        // Linux has no privacy pane to send the user to, so the row only
        // tells whether players accept control.
        SettingRow {
            objectName: "row.automationPermission"
            symbol: "lock.shield.fill"
            tint: page.needsPermission ? "#ff9f0a" : "#34c759"
            title: Language.localized("Automation permission", "Otomasyon izni")
            subtitle: page.needsPermission
                      ? Language.localized("Not allowed; controls won't work",
                                           "İzin verilmedi, kontroller çalışmaz")
                      : Language.localized("All good", "Sorun yok")
        }
    }
}
