import QtQuick
import Zelvik.Views 1.0

// The music tab. With a track: the artwork (full size and glowing while it
// plays, smaller and dimmer when paused), the title and artist with the
// player's badge, the progress bar (or the permission prompt) and the
// controls. Without one: the note, "Nothing playing right now", a button to
// open each installed player, and the permission prompt when asked for.
Item {
    id: view

    required property QtObject model

    MusicViewState {
        id: music
        model: view.model
    }

    // The empty state.
    Column {
        objectName: "musicEmpty"
        anchors.centerIn: parent
        width: parent.width
        spacing: 10
        visible: !music.hasTrack

        SymbolIcon {
            anchors.horizontalCenter: parent.horizontalCenter
            name: "music.note"
            size: 24
            color: Qt.rgba(1.0, 0.38, 0.56, 1)
        }
        Text {
            objectName: "nothingPlaying"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: Language.localized("Nothing playing right now", "Şu an bir şey çalmıyor")
            color: "white"
            font.pixelSize: 13
            font.weight: Font.DemiBold
        }
        Row {
            objectName: "openButtons"
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8
            Repeater {
                model: music.openButtons
                MusicOpenButton {
                    required property var modelData
                    objectName: "openButton"
                    text: modelData.label
                    onClicked: music.openPlayer(modelData.source)
                }
            }
        }
        PermissionPrompt {
            objectName: "permissionPrompt"
            anchors.horizontalCenter: parent.horizontalCenter
            visible: music.needsPermission
            onClicked: music.openAutomationSettings()
        }
    }

    // The playing layout.
    Item {
        objectName: "musicPlaying"
        anchors.fill: parent
        visible: music.hasTrack

        // Size and glow follow playing on their own spring.
        SpringValue {
            id: artworkScale
            target: music.artworkScale
            response: 0.45
            dampingFraction: 0.65
        }
        SpringValue {
            id: glowStrength
            target: music.glowOpacity
            response: 0.45
            dampingFraction: 0.65
        }

        Item {
            id: artworkFrame
            anchors.verticalCenter: parent.verticalCenter
            width: 104
            height: 104
            scale: artworkScale.value

            ArtworkGlow {
                x: -inset
                y: 4 - inset
                width: parent.width + 2 * inset
                height: parent.height + 2 * inset
                inset: 28
                radius: 18
                cornerRadius: 16
                color: music.accent
                opacity: Math.min(1, Math.max(0, glowStrength.value))
                visible: opacity > 0.001
            }
            ArtworkView {
                objectName: "musicArtwork"
                anchors.fill: parent
                cornerRadius: 16
                accent: music.accent
                image: music.artwork
            }
        }

        Column {
            id: details
            anchors.left: artworkFrame.right
            anchors.leftMargin: 18
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            spacing: 10

            // Title and artist, the player's badge at the right.
            Item {
                width: parent.width
                height: Math.max(titles.implicitHeight, badge.visible ? badge.height : 0)

                Column {
                    id: titles
                    width: parent.width - (badge.visible ? badge.width + 8 : 0)
                    spacing: 2
                    Text {
                        objectName: "musicTitle"
                        width: parent.width
                        text: music.title
                        color: "white"
                        font.pixelSize: 15
                        font.weight: Font.DemiBold
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                    Text {
                        objectName: "musicArtist"
                        width: parent.width
                        text: music.artist
                        color: Qt.rgba(1, 1, 1, 0.6)
                        font.pixelSize: 12
                        elide: Text.ElideRight
                        maximumLineCount: 1
                    }
                }
                SourceBadge {
                    id: badge
                    objectName: "sourceBadge"
                    anchors.right: parent.right
                    visible: music.source !== ""
                    icon: music.sourceIcon
                    playerName: music.sourceName
                }
            }

            PermissionPrompt {
                objectName: "permissionPrompt"
                visible: music.needsPermission
                onClicked: music.openAutomationSettings()
            }
            MusicProgress {
                objectName: "musicProgress"
                width: parent.width
                visible: !music.needsPermission
                model: view.model
                accent: music.accent
            }

            // The controls, centred across the whole column.
            Item {
                width: parent.width
                height: controls.height
                Row {
                    id: controls
                    anchors.horizontalCenter: parent.horizontalCenter
                    spacing: 28
                    HoverIconButton {
                        objectName: "previousButton"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "backward.fill"
                        size: 16
                        frame: 34
                        help: Language.localized("Previous", "Önceki")
                        onClicked: music.previousTrack()
                    }
                    HoverIconButton {
                        objectName: "playPauseButton"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: music.playPauseSymbol
                        size: 22
                        frame: 42
                        help: Language.localized("Play/Pause", "Oynat/Duraklat")
                        onClicked: music.playPause()
                    }
                    HoverIconButton {
                        objectName: "nextButton"
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "forward.fill"
                        size: 16
                        frame: 34
                        help: Language.localized("Next", "Sonraki")
                        onClicked: music.nextTrack()
                    }
                }
            }
        }
    }
}
