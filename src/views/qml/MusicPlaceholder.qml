import QtQuick
import Zelvik.Views 1.0

// The music tab until the now-playing views take its place: the note and
// what is playing, or that nothing is.
Item {
    id: view

    required property QtObject model
    readonly property QtObject music: model.music
    readonly property string title: music && music.trackTitle !== "" ? music.trackTitle : ""

    Column {
        anchors.centerIn: parent
        width: parent.width
        spacing: 10

        SymbolIcon {
            anchors.horizontalCenter: parent.horizontalCenter
            name: "music.note"
            size: 24
            color: Qt.rgba(1.0, 0.38, 0.56, 1)
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: view.title !== "" ? view.title : Language.localized("Nothing playing right now",
                                                                        "Şu an bir şey çalmıyor")
            color: "white"
            font.pixelSize: 13
            font.weight: Font.DemiBold
        }
    }
}
