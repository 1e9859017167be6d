import QtQuick
import QtQuick.Layouts

// A hairline between rows, starting past the icon.
Item {
    Layout.fillWidth: true
    implicitHeight: 1
    Rectangle {
        x: 38
        width: parent.width - x
        height: 1
        color: "#e5e5ea"
    }
}
