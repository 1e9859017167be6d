import QtQuick
import QtQuick.Layouts

// Icon, title with an optional subtitle, and the accessory at the trailing
// edge (the row's children).
Item {
    id: row
    property string symbol
    property color tint: "#8e8e93"
    property string title
    property string subtitle
    default property alias accessory: accessoryArea.data

    Layout.fillWidth: true
    implicitWidth: layout.implicitWidth + 24
    implicitHeight: layout.implicitHeight + 18

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.topMargin: 9
        anchors.bottomMargin: 9
        spacing: 12

        SettingIcon {
            symbol: row.symbol
            tint: row.tint
            Layout.alignment: Qt.AlignVCenter
        }

        ColumnLayout {
            spacing: 2
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter

            Text {
                objectName: "rowTitle"
                text: row.title
                font.pixelSize: 13
                color: "#1d1d1f"
                wrapMode: Text.WordWrap
                Layout.fillWidth: true
            }
            Text {
                objectName: "rowSubtitle"
                text: row.subtitle
                visible: row.subtitle.length > 0
                font.pixelSize: 11
                color: "#6e6e73"
                wrapMode: Text.WordWrap
                Layout.fillWidth: true
            }
        }

        RowLayout {
            id: accessoryArea
            spacing: 8
            Layout.alignment: Qt.AlignVCenter
        }
    }
}
