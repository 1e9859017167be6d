import QtQuick
import QtQuick.Controls

// A tooltip in the notch's own look: dark, rounded, small type. It shows
// below its button (the header sits at the very top of the window).
ToolTip {
    id: tip

    delay: 700
    y: parent ? parent.height + 5 : 0
    x: parent ? (parent.width - implicitWidth) / 2 : 0
    padding: 6
    topPadding: 4
    bottomPadding: 4
    font.pixelSize: 11
    margins: 4

    contentItem: Text {
        text: tip.text
        font: tip.font
        color: Qt.rgba(1, 1, 1, 0.92)
    }
    background: Rectangle {
        color: Qt.rgba(0.13, 0.13, 0.14, 0.97)
        radius: 6
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.1)
    }
}
