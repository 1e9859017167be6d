import QtQuick
import Zelvik.Views 1.0

// The closed (or peeking) notch: nothing over the notch itself, and while a
// focus period runs or a song plays, a wing on each side of it. Focus wings
// show the timer symbol and the live countdown in orange; music wings show
// the artwork on the left.
Item {
    id: view

    required property QtObject model
    readonly property real notchWidth: model.notchSize.width
    readonly property real notchHeight: model.notchSize.height
    readonly property real wingWidth: notchHeight + 12
    readonly property string activity: model.closedActivity
    readonly property color focusColor: Qt.rgba(1.0, 0.63, 0.26, 1)
    readonly property QtObject music: model.music
    readonly property color accent: music && music.accentColor.valid ? music.accentColor : Qt.rgba(
                                                                           1.0, 0.38, 0.56, 1)

    // A row as tall as the notch, centred in the outline: left wing, the
    // notch, right wing.
    Item {
        id: row
        objectName: "wingRow"
        anchors.centerIn: parent
        width: 2 * view.wingWidth + view.notchWidth
        height: view.notchHeight
        visible: view.activity !== ""

        Item {
            id: leftWing
            objectName: "leftWing"
            width: view.wingWidth
            height: row.height

            SymbolIcon {
                anchors.centerIn: parent
                visible: view.activity === "focus"
                name: "timer"
                size: 13
                color: view.focusColor
            }
            ArtworkView {
                anchors.centerIn: parent
                visible: view.activity === "music"
                width: 22
                height: 22
                cornerRadius: 6
                accent: view.accent
            }
        }

        Item {
            id: rightWing
            objectName: "rightWing"
            x: view.wingWidth + view.notchWidth
            width: view.wingWidth
            height: row.height

            Text {
                anchors.centerIn: parent
                visible: view.activity === "focus"
                text: countdown.text
                color: view.focusColor
                font.pixelSize: 12
                font.weight: Font.DemiBold
            }
            // The music wing's equalizer joins here.
        }
    }

    FocusCountdown {
        id: countdown
        model: view.model
        end: view.model.focus.endDate
        // Ticks only while the wing is on screen.
        active: view.visible && view.activity === "focus"
    }
}
