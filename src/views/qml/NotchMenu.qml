import QtQuick
import QtQuick.Controls

// A menu that looks like the notch it opens from: near black, rounded, a
// faint edge, the notch's type. Its entries are NotchMenuItem and
// NotchMenuSeparator.
Menu {
    id: menu

    padding: 5
    font.pixelSize: 13
    implicitWidth: Math.max(180, contentWidth + leftPadding + rightPadding)

    background: Rectangle {
        color: Qt.rgba(0.1, 0.1, 0.11, 0.97)
        radius: 10
        border.width: 1
        border.color: Qt.rgba(1, 1, 1, 0.1)
    }
}
