import QtQuick
import Zelvik.Settings 1.0

// A symbol by its symbol name, drawn with the Material Icons font.
Text {
    property string name
    property real size: 16

    text: Symbols.ligature(name)
    font.family: "Material Icons"
    font.pixelSize: size
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    renderType: Text.QtRendering
}
