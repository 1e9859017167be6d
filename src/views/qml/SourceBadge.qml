import QtQuick
import Zelvik.Views 1.0

// Which player is playing: its own icon, 18 x 18, or the note symbol when
// it has none here; its name shows on hover.
Item {
    id: badge

    // The player's icon URL; empty for the note symbol.
    property string icon
    property string playerName

    width: 18
    height: 18

    Image {
        id: picture
        objectName: "badgeIcon"
        anchors.fill: parent
        visible: badge.icon !== "" && status === Image.Ready
        source: badge.icon
        sourceSize: Qt.size(36, 36)
        fillMode: Image.PreserveAspectFit
        smooth: true
        asynchronous: true
    }
    SymbolIcon {
        objectName: "badgeSymbol"
        anchors.centerIn: parent
        visible: !picture.visible
        name: "music.note"
        size: 15
        color: Qt.rgba(1, 1, 1, 0.85)
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
    }
    NotchToolTip {
        text: badge.playerName
        visible: area.containsMouse && badge.playerName !== ""
    }
}
