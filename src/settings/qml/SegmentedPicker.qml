import QtQuick
import QtQuick.Layouts

// A segmented control: one segment per title, the chosen one raised.
Rectangle {
    id: picker
    property var titles: []
    property int currentIndex: -1
    signal activated(int index)

    implicitWidth: segments.implicitWidth + 4
    implicitHeight: 26
    radius: 7
    color: "#e3e3e8"

    Row {
        id: segments
        x: 2
        y: 2
        height: parent.height - 4

        Repeater {
            model: picker.titles

            Rectangle {
                id: segment
                required property int index
                required property string modelData
                objectName: "segment" + index
                readonly property bool selected: index === picker.currentIndex

                width: Math.max(64, label.implicitWidth + 22)
                height: segments.height
                radius: 5
                color: selected ? "white" : "transparent"
                border.color: selected ? "#d1d1d6" : "transparent"

                Text {
                    id: label
                    anchors.centerIn: parent
                    text: segment.modelData
                    font.pixelSize: 12
                    font.weight: segment.selected ? Font.Medium : Font.Normal
                    color: "#1d1d1f"
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: picker.activated(segment.index)
                }
            }
        }
    }
}
