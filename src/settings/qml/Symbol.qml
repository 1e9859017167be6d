import QtQuick
import Zelvik.Views 1.0

// A symbol by its name ("gearshape.fill"), drawn from the icon font through
// the symbol table the notch uses too.
Text {
    property string name
    property real size: 16

    text: Symbols.ligature(name)
    font.family: Symbols.fontFamily
    font.pixelSize: size
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    renderType: Text.QtRendering
}
