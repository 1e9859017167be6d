import QtQuick
import Zelvik.Views 1.0

// The closed (or peeking) notch: nothing over the notch itself, and while a
// focus period runs or a song plays, a wing on each side of it. Focus wings
// show the timer symbol and the live countdown in orange; music wings show
// the artwork on the left and the equalizer on the right. The wings are made
// only while there is an activity, so an idle notch holds nothing but its
// outline.
Item {
    id: view

    required property QtObject model
    readonly property real notchWidth: model.notchSize.width
    readonly property real notchHeight: model.notchSize.height
    readonly property real wingWidth: notchHeight + 12
    readonly property string activity: model.closedActivity
    readonly property color focusColor: Qt.rgba(1.0, 0.63, 0.26, 1)

    // A row as tall as the notch, centred in the outline: left wing, the
    // notch, right wing.
    Loader {
        id: row
        objectName: "wingRow"
        anchors.centerIn: parent
        width: 2 * view.wingWidth + view.notchWidth
        height: view.notchHeight
        active: view.activity !== ""
        sourceComponent: view.activity === "focus" ? focusWings : musicWings
    }

    Component {
        id: focusWings
        Item {
            Item {
                objectName: "leftWing"
                width: view.wingWidth
                height: parent.height
                SymbolIcon {
                    anchors.centerIn: parent
                    name: "timer"
                    size: 13
                    color: view.focusColor
                }
            }
            Item {
                objectName: "rightWing"
                x: view.wingWidth + view.notchWidth
                width: view.wingWidth
                height: parent.height
                Text {
                    anchors.centerIn: parent
                    text: countdown.text
                    color: view.focusColor
                    font.pixelSize: 12
                    font.weight: Font.DemiBold
                }
            }
            FocusCountdown {
                id: countdown
                model: view.model
                end: view.model.focus.endDate
                // Ticks only while the wing is on screen.
                active: view.visible
            }
        }
    }

    Component {
        id: musicWings
        Item {
            MusicViewState {
                id: music
                model: view.model
            }
            Item {
                objectName: "leftWing"
                width: view.wingWidth
                height: parent.height
                ArtworkView {
                    anchors.centerIn: parent
                    width: 22
                    height: 22
                    cornerRadius: 6
                    accent: music.accent
                    image: music.artwork
                }
            }
            Item {
                objectName: "rightWing"
                x: view.wingWidth + view.notchWidth
                width: view.wingWidth
                height: parent.height
                EqualizerBars {
                    objectName: "wingEqualizer"
                    anchors.centerIn: parent
                    model: view.model
                    color: music.accent
                    isPlaying: music.isPlaying
                }
            }
        }
    }
}
