import QtQuick
import QtQuick.Layouts
import Zelvik.Settings 1.0

// The value's text, then a minus and a plus button that move the setting by
// one step within its range (RangedSetting).
RowLayout {
    id: stepper
    property alias settings: ranged.settings
    property alias key: ranged.key
    property alias from: ranged.from
    property alias to: ranged.to
    property alias step: ranged.step
    property alias format: ranged.format
    readonly property alias ranged: ranged

    spacing: 8

    RangedSetting {
        id: ranged
    }

    Text {
        objectName: "valueText"
        text: ranged.text
        font.pixelSize: 13
        color: "#1d1d1f"
    }

    Rectangle {
        implicitWidth: 56
        implicitHeight: 24
        radius: 6
        color: "white"
        border.color: "#d1d1d6"

        Row {
            anchors.fill: parent
            Repeater {
                model: [{ name: "decrement", symbol: "minus", steps: -1 },
                        { name: "increment", symbol: "plus", steps: 1 }]
                Item {
                    required property var modelData
                    objectName: modelData.name
                    readonly property bool enabledStep: modelData.steps < 0
                                                        ? ranged.value > ranged.from
                                                        : ranged.value < ranged.to
                    width: 28
                    height: 24
                    Symbol {
                        anchors.centerIn: parent
                        name: parent.modelData.symbol
                        size: 16
                        color: parent.enabledStep ? "#1d1d1f" : "#c7c7cc"
                    }
                    MouseArea {
                        anchors.fill: parent
                        enabled: parent.enabledStep
                        onClicked: ranged.stepBy(parent.modelData.steps)
                    }
                }
            }
        }
        Rectangle {
            x: parent.width / 2
            y: 4
            width: 1
            height: parent.height - 8
            color: "#d1d1d6"
        }
    }
}
