import QtQuick
import Zelvik.Views 1.0

// The progress bar of the music tab: a thin capsule track with the played
// part in the accent colour, and the elapsed and remaining times below it.
// A click, or the end of a drag, seeks there; nothing happens while the
// drag goes on.
Item {
    id: progress

    required property QtObject model
    property color accent: Qt.rgba(1.0, 0.38, 0.56, 1)

    implicitHeight: column.implicitHeight

    MusicProgressState {
        id: state
        model: progress.model
        // Carried forward only while the bar is on screen.
        active: progress.visible
    }

    Column {
        id: column
        width: parent.width
        spacing: 4

        Item {
            id: bar
            objectName: "progressBar"
            width: parent.width
            height: 5

            Rectangle {
                anchors.fill: parent
                radius: height / 2
                color: Qt.rgba(1, 1, 1, 0.15)
            }
            Rectangle {
                objectName: "progressFill"
                width: bar.width * state.fraction
                height: parent.height
                radius: height / 2
                color: progress.accent
                visible: width > 0
            }
            // Taller than the bar, so it is easy to hit; positions are the
            // bar's own.
            MouseArea {
                objectName: "seekArea"
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                height: 15
                onReleased: mouse => state.seekAt(mouse.x, bar.width)
            }
        }

        Item {
            width: parent.width
            height: elapsed.implicitHeight

            Text {
                id: elapsed
                objectName: "elapsedText"
                text: state.elapsedText
                color: Qt.rgba(1, 1, 1, 0.5)
                font.pixelSize: 10
                font.weight: Font.Medium
            }
            Text {
                objectName: "remainingText"
                anchors.right: parent.right
                text: state.remainingText
                color: Qt.rgba(1, 1, 1, 0.5)
                font.pixelSize: 10
                font.weight: Font.Medium
            }
        }
    }
}
