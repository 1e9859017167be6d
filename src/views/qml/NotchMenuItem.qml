import QtQuick
import QtQuick.Controls

// One entry of a NotchMenu. A destructive entry is drawn in red. A hidden
// entry takes no room.
MenuItem {
    id: entry

    property bool destructive: false
    readonly property color red: Qt.rgba(1.0, 0.27, 0.23, 1)

    height: visible ? implicitHeight : 0
    implicitHeight: 26
    leftPadding: 10
    rightPadding: 10
    font.pixelSize: 13

    contentItem: Text {
        text: entry.text
        font: entry.font
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        color: {
            if (!entry.enabled)
                return Qt.rgba(1, 1, 1, 0.3)
            return entry.destructive ? entry.red : Qt.rgba(1, 1, 1, 0.92)
        }
    }
    background: Rectangle {
        radius: 6
        color: {
            if (!entry.highlighted || !entry.enabled)
                return "transparent"
            return entry.destructive ? Qt.rgba(1, 0.27, 0.23, 0.22) : Qt.rgba(1, 1, 1, 0.12)
        }
    }
}
