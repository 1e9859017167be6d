import QtQuick
import Zelvik.Views 1.0

// The focus countdown ring in its 104 x 104 frame: a faint full circle, the
// part of the period that is left in `tint` from the top clockwise (moving
// linearly over a second as it shrinks), and the time in the middle. The
// circle runs through the middle of its 8-point line, so the line reaches 4
// points past the frame.
Item {
    id: ring

    property real progress: 0
    property string text
    property color tint: "white"

    property real shownProgress: progress
    // The first value and time are drawn as they are; later ones move.
    property bool moves: false
    Component.onCompleted: moves = true
    Behavior on shownProgress {
        enabled: ring.moves
        NumberAnimation {
            duration: 1000
            easing.type: Easing.Linear
        }
    }

    ProgressRing {
        anchors.centerIn: parent
        width: ring.width + lineWidth
        height: ring.height + lineWidth
        lineWidth: 8
        trackColor: Qt.rgba(1, 1, 1, 0.1)
        color: ring.tint
        progress: ring.shownProgress
    }

    // Each new time slides in from above as the old one goes, counting down.
    Text {
        id: time
        objectName: "ringTime"
        anchors.centerIn: parent
        text: ring.text
        color: "white"
        font.pixelSize: 22
        font.weight: Font.DemiBold
        transform: Translate {
            id: slide
        }
        onTextChanged: if (ring.moves)
                           roll.restart()
    }
    ParallelAnimation {
        id: roll
        NumberAnimation {
            target: slide
            property: "y"
            from: -5
            to: 0
            duration: 240
            easing.type: Easing.OutCubic
        }
        NumberAnimation {
            target: time
            property: "opacity"
            from: 0.35
            to: 1
            duration: 240
        }
    }
}
