import QtQuick
import QtQuick.Layouts

// One music player: its icon (the note symbol when none is installed), its
// name and its state. A click starts an installed player or brings a
// running one forward.
Item {
    id: row
    property string name
    property url iconSource
    property string stateText
    property bool installed
    property bool running
    signal clicked

    Layout.fillWidth: true
    implicitHeight: layout.implicitHeight + 18

    Rectangle {
        anchors.fill: parent
        anchors.margins: 3
        radius: 12
        color: click.containsMouse && row.installed ? "#f2f2f7" : "transparent"
    }

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.topMargin: 9
        anchors.bottomMargin: 9
        spacing: 12

        Item {
            implicitWidth: 26
            implicitHeight: 26
            Image {
                id: appIcon
                objectName: "appIcon"
                anchors.fill: parent
                visible: status === Image.Ready
                source: row.iconSource
                sourceSize: Qt.size(52, 52)
                smooth: true
            }
            SettingIcon {
                anchors.fill: parent
                visible: !appIcon.visible
                symbol: "music.note"
                tint: "#ff2d55"
            }
        }
        Text {
            objectName: "rowTitle"
            text: row.name
            font.pixelSize: 13
            color: "#1d1d1f"
            Layout.fillWidth: true
        }
        Rectangle {
            implicitWidth: stateLabel.implicitWidth + 16
            implicitHeight: 20
            radius: 10
            color: row.running ? "#d8f5df" : row.installed ? "#e5e5ea" : "transparent"
            border.color: row.running || row.installed ? "transparent" : "#d1d1d6"
            Text {
                id: stateLabel
                objectName: "stateText"
                anchors.centerIn: parent
                text: row.stateText
                font.pixelSize: 11
                font.weight: Font.Medium
                color: row.running ? "#1f8a3b" : "#6e6e73"
            }
        }
    }

    MouseArea {
        id: click
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: row.installed ? Qt.PointingHandCursor : Qt.ArrowCursor
        onClicked: row.clicked()
    }
}
