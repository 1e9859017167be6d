import QtQuick
import Zelvik.Views 1.0

// A shelf entry's 48 x 48 picture: the file's thumbnail (or its type's icon)
// once loaded; until then, and for links and texts, the kind's symbol on a
// faint rounded square.
Item {
    id: thumbnail

    property string filePath
    property string symbol: "doc.fill"
    readonly property alias image: picture

    width: 48
    height: 48

    Rectangle {
        anchors.fill: parent
        radius: 10
        color: Qt.rgba(1, 1, 1, 0.06)
        visible: !picture.ready
    }
    SymbolIcon {
        anchors.centerIn: parent
        visible: !picture.ready
        name: thumbnail.symbol
        size: 18
        color: Qt.rgba(0.36, 0.84, 0.96, 1)
    }
    ThumbnailImage {
        id: picture
        objectName: "thumbnailImage"
        anchors.fill: parent
        path: thumbnail.filePath
        // Twice the points, for sharp pictures on dense screens.
        pixelSize: 96
        cornerRadius: 10
        visible: ready
    }
}
