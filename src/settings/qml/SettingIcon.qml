import QtQuick

// A rounded square filled with a gradient of the tint, holding the symbol
// in white.
Rectangle {
    id: icon
    property string symbol
    property color tint: "#8e8e93"
    property real size: 26

    width: size
    height: size
    radius: 0.27 * size
    gradient: Gradient {
        GradientStop { position: 0; color: Qt.lighter(icon.tint, 1.18) }
        GradientStop { position: 1; color: icon.tint }
    }

    Symbol {
        anchors.centerIn: parent
        name: icon.symbol
        size: 0.48 * icon.size
        font.weight: Font.DemiBold
    }
}
