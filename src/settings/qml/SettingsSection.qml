import QtQuick
import QtQuick.Layouts
import Zelvik.Views 1.0

// A titled card of rows with an optional footer.
ColumnLayout {
    id: section
    property string title
    property string footer
    default property alias rows: card.data

    spacing: 8
    Layout.fillWidth: true

    Text {
        objectName: "sectionTitle"
        visible: section.title.length > 0
        text: Language.heading(section.title)
        font.pixelSize: 11
        font.weight: Font.DemiBold
        color: "#6e6e73"
        leftPadding: 6
        rightPadding: 6
    }

    Rectangle {
        Layout.fillWidth: true
        implicitHeight: card.implicitHeight
        radius: 18
        color: "white"
        border.color: "#e3e3e8"

        ColumnLayout {
            id: card
            width: parent.width
            spacing: 0
        }
    }

    Text {
        objectName: "sectionFooter"
        visible: section.footer.length > 0
        text: section.footer
        font.pixelSize: 11
        color: "#6e6e73"
        wrapMode: Text.WordWrap
        leftPadding: 6
        rightPadding: 6
        Layout.fillWidth: true
    }
}
