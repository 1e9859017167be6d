import QtQuick
import QtQuick.Controls

// The divider between groups of a NotchMenu.
MenuSeparator {
    topPadding: 4
    bottomPadding: 4
    leftPadding: 8
    rightPadding: 8
    contentItem: Rectangle {
        implicitHeight: 1
        color: Qt.rgba(1, 1, 1, 0.12)
    }
}
