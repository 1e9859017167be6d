import QtQuick
import Zelvik.Views 1.0

// A song's artwork in a rounded square: a diagonal wash of the accent colour
// behind it, the picture over it (filling the square, cropped), and the note
// symbol while there is no picture.
Item {
    id: artwork

    // The cover; a null image for none.
    property alias image: artworkBox.image
    property color accent: Qt.rgba(1.0, 0.38, 0.56, 1)
    property real cornerRadius: 6

    RoundedBox {
        id: artworkBox
        objectName: "artworkBox"
        anchors.fill: parent
        radius: artwork.cornerRadius
        color: Qt.rgba(artwork.accent.r, artwork.accent.g, artwork.accent.b, 0.65)
        gradientEnd: Qt.rgba(artwork.accent.r, artwork.accent.g, artwork.accent.b, 0.2)
    }
    SymbolIcon {
        anchors.centerIn: parent
        visible: !artworkBox.hasImage
        name: "music.note"
        size: artwork.cornerRadius > 8 ? 26 : 10
        color: Qt.rgba(1, 1, 1, 0.85)
    }
}
