import QtQuick
import Zelvik.Views 1.0

// Four thin capsules that bounce while the song plays and lie flat when it
// is paused. They move only while playing and on screen.
Item {
    id: bars

    required property QtObject model
    property color color: "white"
    property bool isPlaying: false

    implicitWidth: 4 * 2.5 + 3 * 2
    implicitHeight: 16

    EqualizerMotion {
        id: motion
        model: bars.model
        playing: bars.isPlaying
        active: bars.visible
    }

    Row {
        anchors.centerIn: parent
        height: 16
        spacing: 2
        Repeater {
            model: 4
            Rectangle {
                required property int index
                objectName: "equalizerBar"
                anchors.verticalCenter: parent.verticalCenter
                width: 2.5
                height: motion.heights[index]
                radius: width / 2
                color: bars.color
            }
        }
    }
}
