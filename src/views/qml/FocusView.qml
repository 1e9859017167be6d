import QtQuick
import Zelvik.Views 1.0

// The focus tab: the countdown ring with the time left, and beside it the
// period's name and state, the preset chips, and the start/pause/resume and
// reset buttons. Everything it shows comes from FocusViewState; the buttons
// call the model's focus operations.
Item {
    id: view

    required property QtObject model
    property color tint: Qt.rgba(1.0, 0.63, 0.26, 1)

    FocusViewState {
        id: focus
        model: view.model
        // Redraws once a second while a period runs and the tab is shown.
        active: view.visible
    }

    Row {
        anchors.centerIn: parent
        spacing: 26

        FocusRing {
            objectName: "focusRing"
            anchors.verticalCenter: parent.verticalCenter
            width: 104
            height: 104
            progress: focus.progress
            text: focus.timeText
            tint: view.tint
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 12

            Column {
                spacing: 2
                Text {
                    objectName: "focusLabel"
                    text: focus.label
                    color: "white"
                    font.pixelSize: 15
                    font.weight: Font.DemiBold
                }
                Text {
                    objectName: "focusState"
                    text: focus.stateText
                    color: Qt.rgba(1, 1, 1, 0.55)
                    font.pixelSize: 12
                }
            }

            Row {
                spacing: 6
                Repeater {
                    model: focus.presets
                    FocusPresetChip {
                        required property var modelData
                        title: modelData.title
                        help: modelData.label
                        selected: modelData.selected
                        tint: view.tint
                        onClicked: focus.choosePreset(modelData.minutes)
                    }
                }
            }

            Row {
                spacing: 8

                Rectangle {
                    id: start
                    objectName: "startButton"
                    anchors.verticalCenter: parent.verticalCenter
                    width: startLabel.implicitWidth + 32
                    height: startLabel.implicitHeight + 14
                    radius: 9
                    color: view.tint
                    opacity: startArea.pressed ? 0.75 : 1

                    Row {
                        id: startLabel
                        anchors.centerIn: parent
                        spacing: 4
                        SymbolIcon {
                            anchors.verticalCenter: parent.verticalCenter
                            name: focus.actionSymbol
                            size: 12
                            color: "black"
                        }
                        Text {
                            objectName: "startText"
                            anchors.verticalCenter: parent.verticalCenter
                            text: focus.actionText
                            color: "black"
                            font.pixelSize: 12
                            font.weight: Font.DemiBold
                        }
                    }
                    MouseArea {
                        id: startArea
                        anchors.fill: parent
                        onClicked: focus.startOrPause()
                    }
                }

                HoverIconButton {
                    objectName: "resetButton"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "arrow.counterclockwise"
                    size: 12
                    frame: 28
                    tint: "white"
                    help: Language.localized("Reset", "Sıfırla")
                    onClicked: focus.reset()
                }
            }
        }
    }
}
