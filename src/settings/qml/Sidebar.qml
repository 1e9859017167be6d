import QtQuick
import QtQuick.Layouts

// The eight pages, each with its symbol and title; a click selects one.
Rectangle {
    id: sidebar
    required property QtObject pages
    property var tints: []

    color: "#ebebf0"

    Rectangle {
        anchors.right: parent.right
        width: 1
        height: parent.height
        color: "#d8d8de"
    }

    Column {
        anchors.fill: parent
        anchors.topMargin: 18
        anchors.leftMargin: 10
        anchors.rightMargin: 11
        spacing: 2

        Repeater {
            model: sidebar.pages

            Rectangle {
                id: item
                required property int page
                required property string rawValue
                required property string title
                required property string symbol
                readonly property bool selected: sidebar.pages.currentPage === page

                objectName: "sidebar." + rawValue
                width: parent.width
                height: 34
                radius: 8
                color: selected ? "#d8d8e0" : hover.containsMouse ? "#e2e2e8" : "transparent"

                RowLayout {
                    anchors.fill: parent
                    anchors.leftMargin: 8
                    anchors.rightMargin: 8
                    spacing: 10
                    SettingIcon {
                        size: 22
                        symbol: item.symbol
                        tint: sidebar.tints[item.page] || "#8e8e93"
                    }
                    Text {
                        objectName: "sidebarTitle"
                        text: item.title
                        font.pixelSize: 13
                        font.weight: item.selected ? Font.DemiBold : Font.Normal
                        color: "#1d1d1f"
                        elide: Text.ElideRight
                        Layout.fillWidth: true
                    }
                }

                MouseArea {
                    id: hover
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: sidebar.pages.currentPage = item.page
                }
            }
        }
    }
}
