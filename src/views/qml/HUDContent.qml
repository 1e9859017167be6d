import QtQuick
import Zelvik.Views 1.0

// A notice in the widened outline: the symbol (or the song's artwork) on the
// left wing, a short value on the right wing, and the title on a line below
// the notch. `hud` is the notice this content was made for; a newer notice
// gets a content of its own.
Item {
    id: view

    required property QtObject model
    required property var hud
    readonly property real notchWidth: model.notchSize.width
    readonly property real notchHeight: model.notchSize.height
    readonly property real wingWidth: notchHeight + 42
    readonly property color tint: hud && hud.tint.valid ? hud.tint : "white"
    readonly property bool showsArtwork: hud ? hud.showsArtwork : false

    // The notice's own frame, centred in the outline. It depends on the
    // notch's size only, so a leaving notice keeps its layout while the
    // outline shrinks around it.
    Item {
        id: frame
        anchors.centerIn: parent
        width: 2 * view.wingWidth + view.notchWidth
        height: view.notchHeight + 30

        // The left wing, the notch, the right wing.
        Item {
            id: leftWing
            width: view.wingWidth
            height: view.notchHeight

            SymbolIcon {
                objectName: "hudSymbol"
                anchors.centerIn: parent
                visible: !view.showsArtwork
                name: view.hud ? view.hud.symbol : ""
                size: 14
                color: view.tint
                // Each notice bounces its symbol once as it comes in.
                Component.onCompleted: bounce()
            }
        }

        Item {
            x: view.wingWidth + view.notchWidth
            width: view.wingWidth
            height: view.notchHeight

            // A word such as "Connected" set in a wider font than the one
            // the wing was measured for shrinks a little rather than run
            // into the outline's edge.
            Text {
                objectName: "hudTrailing"
                anchors.centerIn: parent
                width: parent.width - 10
                height: parent.height
                visible: !view.showsArtwork
                text: view.hud ? view.hud.trailing : ""
                color: view.tint
                font.pixelSize: 12
                font.weight: Font.DemiBold
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 9
            }
        }

        // A song's notice: its artwork on the left wing, the equalizer on
        // the right, both in the song's accent colour.
        Loader {
            width: frame.width
            height: view.notchHeight
            active: view.showsArtwork
            sourceComponent: Item {
                MusicViewState {
                    id: music
                    model: view.model
                }
                ArtworkView {
                    objectName: "hudArtwork"
                    x: (view.wingWidth - width) / 2
                    anchors.verticalCenter: parent.verticalCenter
                    width: 22
                    height: 22
                    cornerRadius: 6
                    accent: music.accent
                    image: music.artwork
                }
                EqualizerBars {
                    objectName: "hudEqualizer"
                    x: view.wingWidth + view.notchWidth + (view.wingWidth - width) / 2
                    anchors.verticalCenter: parent.verticalCenter
                    model: view.model
                    color: music.accent
                    isPlaying: music.isPlaying
                }
            }
        }

        Text {
            objectName: "hudTitle"
            x: 12
            y: view.notchHeight
            width: frame.width - 24
            height: frame.height - view.notchHeight
            text: view.hud ? view.hud.title : ""
            color: Qt.rgba(1, 1, 1, 0.88)
            font.pixelSize: 12
            font.weight: Font.Medium
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
    }
}
