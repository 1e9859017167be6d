import QtQuick

// A preset of the focus tab ("25 min"): in the tint on a tinted background
// when it is the period's length, white on a faint background otherwise.
Item {
    id: chip

    property string title
    property string help
    property bool selected: false
    property color tint: "white"
    signal clicked

    width: label.implicitWidth + 20
    height: label.implicitHeight + 10

    Rectangle {
        anchors.fill: parent
        radius: 7
        color: chip.selected ? Qt.rgba(chip.tint.r, chip.tint.g, chip.tint.b,
                                       0.2) : Qt.rgba(1, 1, 1, 0.07)
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: chip.title
        color: chip.selected ? chip.tint : Qt.rgba(1, 1, 1, 0.7)
        font.pixelSize: 11
        font.weight: Font.DemiBold
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: chip.clicked()
    }
    NotchToolTip {
        text: chip.help
        visible: area.containsMouse
    }
}
