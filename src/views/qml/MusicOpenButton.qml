import QtQuick

// A small bordered button of the music tab's empty state: "Open Spotify".
Rectangle {
    id: button

    property string text
    signal clicked

    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 8
    radius: 6
    color: Qt.rgba(1, 1, 1, area.pressed ? 0.24 : area.containsMouse ? 0.18 : 0.12)
    border.width: 1
    border.color: Qt.rgba(1, 1, 1, 0.12)

    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        color: Qt.rgba(1, 1, 1, 0.92)
        font.pixelSize: 11
        font.weight: Font.Medium
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
