import QtQuick

// The page area's background: a light grey with a wash of the page's tint
// along the top.
Rectangle {
    id: backdrop
    property color tint

    color: "#f5f5f7"
    Rectangle {
        width: parent.width
        height: 220
        gradient: Gradient {
            GradientStop {
                position: 0
                color: Qt.rgba(backdrop.tint.r, backdrop.tint.g, backdrop.tint.b, 0.14)
            }
            GradientStop {
                position: 1
                color: Qt.rgba(backdrop.tint.r, backdrop.tint.g, backdrop.tint.b, 0)
            }
        }
    }
}
