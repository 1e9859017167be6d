import QtQuick
import Zelvik.Views 1.0

// A symbol by its name ("timer", "tray.full.fill"), drawn from the icon font
// in `color`. The icon font draws its glyphs inside about 5/6 of the em
// square, so the font is set a little larger than `size` to make the drawn
// symbol as large as a system symbol of that point size.
// bounce() plays the symbol's bounce: a short scale pulse.
Text {
    id: symbol

    property string name
    property real size: 13

    function bounce() {
        pulse.restart()
    }

    width: Math.round(size * 1.2)
    height: width
    font.family: Symbols.fontFamily
    font.pixelSize: width
    text: Symbols.ligature(name)
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter

    SequentialAnimation {
        id: pulse
        NumberAnimation {
            target: symbol
            property: "scale"
            to: 1.22
            duration: 110
            easing.type: Easing.OutQuad
        }
        NumberAnimation {
            target: symbol
            property: "scale"
            to: 1
            duration: 260
            easing.type: Easing.OutBack
        }
    }
}
