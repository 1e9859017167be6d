import QtQuick
import Zelvik.Views 1.0

// Fills the notch window; the outline hangs from its top centre. Nothing else
// is painted, so the rest of the window stays see-through.
Item {
    id: root

    required property QtObject model

    anchors.fill: parent

    Item {
        id: frame
        readonly property real topRadius: root.model.statusName === "open" ? 16 : 8
        anchors.horizontalCenter: parent.horizontalCenter
        y: 0
        width: root.model.shapeSize.width + 2 * topRadius
        height: root.model.shapeSize.height

        NotchBackground {
            anchors.fill: parent
            topRadius: frame.topRadius
            bottomRadius: root.model.statusName === "open" ? 38 : 15
            glass: 0
        }

        MouseArea {
            anchors.fill: parent
            enabled: root.model.statusName !== "open"
            onClicked: root.model.open()
        }
    }
}
