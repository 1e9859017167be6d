import QtQuick
import Zelvik.Views 1.0

// A square icon button: the symbol at `size` points in `tint`, brighter,
// on a faint disc and a little larger while the pointer is over it (on a
// quick spring). A new symbol swaps in with a short pulse. With a
// `hitName`, its frame is reported to `hitTargets` under that name.
Item {
    id: button

    property string symbol
    property real size: 12
    property real frame: 24
    property color tint: "white"
    property string help
    property string hitName
    property QtObject hitTargets: null
    readonly property bool hovering: area.containsMouse
    signal clicked

    width: frame
    height: frame

    SpringValue {
        id: hover
        target: button.hovering ? 1 : 0
        response: 0.25
        dampingFraction: 0.7
    }

    // Scaled apart from the button itself: the frame that is clicked and
    // reported stays the button's.
    Item {
        anchors.fill: parent
        scale: 1 + 0.08 * hover.value

        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: Qt.rgba(1, 1, 1, 0.12 * Math.max(0, hover.value))
        }
        SymbolIcon {
            id: icon
            anchors.centerIn: parent
            name: button.symbol
            size: button.size
            color: button.tint
            opacity: 0.8 + 0.2 * Math.min(1, Math.max(0, hover.value))
        }
    }

    onSymbolChanged: icon.bounce()

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }

    NotchToolTip {
        text: button.help
        visible: button.hovering && button.help !== ""
    }

    Loader {
        anchors.fill: parent
        active: button.hitName !== "" && button.hitTargets !== null
        sourceComponent: HitTarget {
            key: button.hitTargets
            name: button.hitName
        }
    }
}
