import QtQuick
import QtQuick.Controls.Basic

// A small rounded button with a text, a symbol, or both; destructive ones
// are red.
Button {
    id: button
    property string symbol
    property bool destructive: false

    implicitHeight: 26
    leftPadding: text.length > 0 ? 12 : 6
    rightPadding: text.length > 0 ? 12 : 6
    focusPolicy: Qt.TabFocus

    contentItem: Row {
        spacing: 4
        Symbol {
            visible: button.symbol.length > 0
            name: button.symbol
            size: 15
            color: label.color
            anchors.verticalCenter: parent.verticalCenter
        }
        Text {
            id: label
            visible: button.text.length > 0
            text: button.text
            font.pixelSize: 12
            font.weight: Font.Medium
            color: !button.enabled ? "#aeaeb2" : button.destructive ? "#ff3b30" : "#1d1d1f"
            anchors.verticalCenter: parent.verticalCenter
        }
    }
    background: Rectangle {
        radius: 7
        color: button.down ? "#dcdce1" : button.hovered ? "#ececf0" : "#f2f2f7"
        border.color: "#d1d1d6"
    }
}
