import QtQuick
import QtQuick.Controls.Basic

// A drop-down menu of titles, showing the option at `selectedIndex`.
//
// The model is the number of options, not the titles: a new model makes
// the combo box go back to its first option, which a relabelling (a
// language switch) must not do. When the number does change, the
// selection is bound again.
ComboBox {
    id: box
    property var titles: []
    property int selectedIndex: -1
    signal aboutToOpen

    model: titles.length
    currentIndex: selectedIndex
    displayText: currentIndex >= 0 && currentIndex < titles.length ? titles[currentIndex] : ""
    onModelChanged: currentIndex = Qt.binding(() => box.selectedIndex)
    implicitWidth: Math.max(150, implicitContentWidth + 40)
    implicitHeight: 26
    font.pixelSize: 12
    leftPadding: 10
    rightPadding: 26
    focusPolicy: Qt.TabFocus

    background: Rectangle {
        radius: 6
        color: box.pressed ? "#ececf0" : "white"
        border.color: "#d1d1d6"
    }
    indicator: Symbol {
        x: box.width - width - 8
        y: (box.height - height) / 2
        name: "chevron.up.chevron.down"
        size: 14
        color: "#6e6e73"
    }
    contentItem: Text {
        text: box.displayText
        font: box.font
        color: "#1d1d1f"
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    delegate: ItemDelegate {
        required property int index
        objectName: "option" + index
        width: box.popup.width
        height: 26
        highlighted: box.highlightedIndex === index
        contentItem: Text {
            text: box.titles[index] ?? ""
            font.pixelSize: 12
            font.weight: index === box.currentIndex ? Font.DemiBold : Font.Normal
            color: highlighted ? "white" : "#1d1d1f"
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 5
            color: highlighted ? "#0a84ff" : "transparent"
        }
    }
    popup.onAboutToShow: box.aboutToOpen()
    popup.background: Rectangle {
        radius: 8
        color: "white"
        border.color: "#d1d1d6"
    }
}
