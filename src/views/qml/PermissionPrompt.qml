import QtQuick
import Zelvik.Views 1.0

// Asks for the right to control the players: a lock and a short line in
// orange, pressed like a plain button.
Item {
    id: prompt

    readonly property color orange: Qt.rgba(1.0, 0.62, 0.04, 1)
    signal clicked

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight
    opacity: area.pressed ? 0.7 : 1

    Row {
        id: row
        spacing: 4
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            name: "lock.fill"
            size: 11
            color: prompt.orange
        }
        Text {
            objectName: "permissionText"
            anchors.verticalCenter: parent.verticalCenter
            text: Language.localized("Allow control: Automation settings",
                                     "Kontrol için izin ver: Otomasyon ayarları")
            color: prompt.orange
            font.pixelSize: 11
            font.weight: Font.Medium
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: prompt.clicked()
    }
}
