import QtQuick
import Zelvik.Views 1.0

// The shelf tab: the entries as a row of tiles, newest first (or, with none,
// a dashed drop zone that lights up while something is dragged over the
// notch), and at the right end the button that sends the shelf to a nearby
// device. Files dropped on that button are sent instead of shelved.
Item {
    id: view

    required property QtObject model
    required property QtObject shelfList
    property color tint: Qt.rgba(0.36, 0.84, 0.96, 1)
    property color airDropTint: Qt.rgba(0.25, 0.56, 1.0, 1)
    property bool airDropTargeted: false
    // Asked once per showing and after each change of the list: the answer
    // can take a call to the sharing service.
    property bool canShare: false
    readonly property bool empty: shelfList.count === 0

    function refreshSharing() {
        view.canShare = view.model.sharingAvailable()
    }
    Component.onCompleted: refreshSharing()
    Connections {
        target: view.shelfList
        function onCountChanged() {
            view.refreshSharing()
        }
    }

    ShelfDragOut {
        id: tileDrag
        model: view.model
    }

    Item {
        id: contentArea
        width: view.width - 12 - share.width
        height: view.height

        // The row and the empty zone cross over on the shelf's spring.
        SpringValue {
            id: emptiness
            target: view.empty ? 1 : 0
            response: 0.5
            dampingFraction: 0.85
        }

        ListView {
            id: tiles
            objectName: "shelfTiles"
            anchors.fill: parent
            orientation: ListView.Horizontal
            spacing: 8
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            interactive: contentWidth > width
            model: view.shelfList
            opacity: 1 - Math.min(1, Math.max(0, emptiness.value))
            visible: opacity > 0.001
            delegate: ShelfTile {
                y: (ListView.view.height - height) / 2
                model: view.model
                dragOut: tileDrag
                onMenuRequested: (item, source, x, y) => {
                                     tileMenu.item = item
                                     tileMenu.popup(source, x, y)
                                 }
            }
        }

        Item {
            id: emptyState
            objectName: "shelfEmptyState"
            anchors.fill: parent
            opacity: Math.min(1, Math.max(0, emptiness.value))
            visible: opacity > 0.001

            SpringValue {
                id: targeting
                target: view.model.isDropTargeted ? 1 : 0
                response: 0.5
                dampingFraction: 0.85
            }
            readonly property real lit: Math.min(1, Math.max(0, targeting.value))

            RoundedBox {
                objectName: "dropZone"
                anchors.fill: parent
                radius: 18
                color: Qt.rgba(view.tint.r, view.tint.g, view.tint.b, 0.05 + 0.09 * emptyState.lit)
                strokeColor: Qt.rgba(view.tint.r, view.tint.g, view.tint.b,
                                     0.3 + 0.5 * emptyState.lit)
                strokeWidth: 1.5
                dashPattern: [6, 5]
            }

            Column {
                anchors.centerIn: parent
                width: parent.width - 32
                spacing: 8

                SymbolIcon {
                    id: trayIcon
                    anchors.horizontalCenter: parent.horizontalCenter
                    name: view.model.isDropTargeted ? "tray.and.arrow.down.fill" : "tray.and.arrow.down"
                    size: 24
                    onNameChanged: bounce()
                }
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: Language.localized("Drop files here", "Dosyaları buraya bırak")
                    color: "white"
                    font.pixelSize: 13
                    font.weight: Font.DemiBold
                }
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.WordWrap
                    text: Language.localized(
                              "Anything you drag to the notch waits here; drag it out wherever you need it.",
                              "Notch'a sürüklediğin her şey burada bekler, sonra istediğin yere sürükle.")
                    color: Qt.rgba(1, 1, 1, 0.5)
                    font.pixelSize: 11
                }
            }
        }
    }

    // Sends everything on the shelf to a nearby device; takes dropped files
    // to send them. Disabled while no sharing service can take anything.
    Item {
        id: share
        objectName: "shareButton"
        anchors.right: parent.right
        width: 96
        height: view.height
        enabled: view.canShare
        opacity: enabled ? 1 : 0.5

        SpringValue {
            id: shareTargeting
            target: view.airDropTargeted ? 1 : 0
            response: 0.5
            dampingFraction: 0.85
        }
        readonly property real lit: Math.min(1, Math.max(0, shareTargeting.value))

        Rectangle {
            anchors.fill: parent
            radius: 18
            color: Qt.rgba(view.airDropTint.r, view.airDropTint.g, view.airDropTint.b,
                           0.14 + 0.86 * share.lit)
        }
        Column {
            anchors.centerIn: parent
            spacing: 6
            readonly property color ink: Qt.rgba(
                                             view.airDropTint.r * (1 - share.lit),
                                             view.airDropTint.g * (1 - share.lit),
                                             view.airDropTint.b * (1 - share.lit), 1)
            SymbolIcon {
                anchors.horizontalCenter: parent.horizontalCenter
                name: "dot.radiowaves.left.and.right"
                size: 20
                color: parent.ink
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: "AirDrop"
                color: parent.ink
                font.pixelSize: 11
                font.weight: Font.DemiBold
            }
        }
        MouseArea {
            id: shareArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: view.model.shareShelf()
        }
        NotchToolTip {
            text: Language.localized(
                      "Send dropped files with AirDrop. Click to send everything on the shelf.",
                      "Bırakılan dosyaları AirDrop ile gönder. Dokununca raftakilerin hepsini gönderir.")
            visible: shareArea.containsMouse
        }
        // Only file URLs are taken; anything else falls through to the shelf.
        DropArea {
            function fileUrls(urls) {
                const files = []
                for (let i = 0; i < urls.length; ++i) {
                    if (urls[i].toString().startsWith("file:"))
                        files.push(urls[i])
                }
                return files
            }
            anchors.fill: parent
            keys: ["text/uri-list"]
            onEntered: drag => {
                           drag.accepted = fileUrls(drag.urls).length > 0
                           view.airDropTargeted = drag.accepted
                       }
            onExited: view.airDropTargeted = false
            onDropped: drop => {
                           view.airDropTargeted = false
                           const files = fileUrls(drop.urls)
                           if (files.length > 0) {
                               drop.accept(Qt.CopyAction)
                               view.model.shareUrls(files)
                           }
                       }
        }
    }

    NotchMenu {
        id: tileMenu
        objectName: "tileMenu"
        property var item: null
        readonly property bool hasFile: item !== null && item.hasFile

        NotchMenuItem {
            objectName: "openItem"
            text: Language.localized("Open", "Aç")
            onTriggered: view.model.openEntry(tileMenu.item)
        }
        NotchMenuItem {
            objectName: "revealItem"
            visible: tileMenu.hasFile
            text: Language.localized("Show in Files", "Dosyalarda göster")
            onTriggered: view.model.revealEntry(tileMenu.item)
        }
        NotchMenuItem {
            objectName: "copyItem"
            text: Language.localized("Copy", "Kopyala")
            onTriggered: view.model.copyEntry(tileMenu.item)
        }
        NotchMenuItem {
            objectName: "shareItem"
            visible: tileMenu.hasFile
            enabled: view.canShare
            text: Language.localized("Send with AirDrop", "AirDrop ile gönder")
            onTriggered: view.model.shareUrls([view.model.entryFileUrl(tileMenu.item)])
        }
        NotchMenuSeparator {}
        NotchMenuItem {
            objectName: "removeItem"
            destructive: true
            text: Language.localized("Remove from shelf", "Raftan kaldır")
            onTriggered: view.model.removeEntry(tileMenu.item)
        }
    }
}
