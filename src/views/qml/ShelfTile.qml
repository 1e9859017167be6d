import QtQuick
import Zelvik.Views 1.0

// One shelf entry: its thumbnail over its title (two lines at most) on a
// faint rounded tile that brightens and grows a little under the pointer.
// A click opens the entry, a right-click offers its menu, and dragging it
// takes the entry's content to another application. It comes and goes by
// scaling from 0.6 with a fade, on the shelf's spring.
Item {
    id: tile

    required property var item
    required property string title
    required property string symbol
    required property string filePath
    property QtObject model
    property QtObject dragOut
    readonly property bool hovering: area.containsMouse
    property bool leaving: false
    // A right-click at (x, y) in `source`, for the entry's menu.
    signal menuRequested(var item, Item source, real x, real y)

    width: 84
    height: 92

    SpringValue {
        id: hover
        target: tile.hovering ? 1 : 0
        response: 0.25
        dampingFraction: 0.7
    }
    // Set by hand rather than bound: a new tile jumps to small first.
    SpringValue {
        id: presence
        target: 1
        response: 0.5
        dampingFraction: 0.85
        onRunningChanged: if (!running && tile.leaving)
                              tile.ListView.delayRemove = false
    }
    ListView.onAdd: {
        presence.jumpTo(0)
        presence.target = 1
    }
    ListView.onRemove: {
        tile.ListView.delayRemove = true
        tile.leaving = true
        presence.target = 0
        if (!presence.running)
            tile.ListView.delayRemove = false
    }

    opacity: Math.min(1, Math.max(0, presence.value))
    scale: (0.6 + 0.4 * presence.value) * (1 + 0.04 * hover.value)

    Rectangle {
        anchors.fill: parent
        radius: 14
        color: Qt.rgba(1, 1, 1, 0.04 + 0.06 * Math.min(1, Math.max(0, hover.value)))
    }

    ShelfThumbnail {
        id: thumbnail
        x: (tile.width - width) / 2
        y: 6
        filePath: tile.filePath
        symbol: tile.symbol
    }

    Text {
        objectName: "tileTitle"
        x: 6
        y: 60
        width: 72
        height: 26
        text: tile.title
        color: Qt.rgba(1, 1, 1, 0.85)
        font.pixelSize: 10
        font.weight: Font.Medium
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignTop
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
                       if (mouse.button === Qt.RightButton)
                       tile.menuRequested(tile.item, area, mouse.x, mouse.y)
                       else
                       tile.model.openEntry(tile.item)
                   }
    }

    // Pulling a tile out starts a drag of the entry; the tile stays.
    DragHandler {
        id: pull
        target: null
        acceptedButtons: Qt.LeftButton
        onActiveChanged: if (active)
                             Qt.callLater(tile.startDrag)
    }
    function startDrag() {
        // The drag takes the pointer; let go of the gesture it began with
        // first: the tile may be gone by the time the drag is over.
        pull.enabled = false
        pull.enabled = true
        if (tile.dragOut)
            tile.dragOut.start(tile.item, tile, thumbnail.image)
    }

    NotchToolTip {
        text: tile.title
        visible: tile.hovering && !pull.active
    }
}
