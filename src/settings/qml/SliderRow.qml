import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Zelvik.Settings 1.0

// Icon, title and the formatted value, with the slider below, flanked by
// the optional minimum and maximum labels. The value is clamped for show
// and put on the step grid when the user moves the slider (RangedSetting).
Item {
    id: row
    property string symbol
    property color tint: "#8e8e93"
    property string title
    property alias settings: ranged.settings
    property alias key: ranged.key
    property alias from: ranged.from
    property alias to: ranged.to
    // 0 for a continuous slider.
    property alias step: ranged.step
    property alias format: ranged.format
    property string minimumLabel
    property string maximumLabel
    readonly property alias ranged: ranged

    Layout.fillWidth: true
    implicitHeight: column.implicitHeight + 20

    RangedSetting {
        id: ranged
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 6

        RowLayout {
            spacing: 12
            Layout.fillWidth: true

            SettingIcon {
                symbol: row.symbol
                tint: row.tint
            }
            Text {
                objectName: "rowTitle"
                text: row.title
                font.pixelSize: 13
                color: "#1d1d1f"
                wrapMode: Text.WordWrap
                Layout.fillWidth: true
            }
            Text {
                id: valueText
                objectName: "valueText"
                text: ranged.text
                font.pixelSize: 12
                font.weight: Font.Medium
                color: "#6e6e73"
                // Numbers roll in from below when they change.
                transform: Translate { id: shift }
                // Only changes roll; the first value just appears.
                property bool shown: false
                Component.onCompleted: shown = true
                onTextChanged: if (shown) roll.restart()
                SequentialAnimation {
                    id: roll
                    PropertyAction { target: shift; property: "y"; value: 4 }
                    PropertyAction { target: valueText; property: "opacity"; value: 0.4 }
                    ParallelAnimation {
                        NumberAnimation { target: shift; property: "y"; to: 0; duration: 140 }
                        NumberAnimation { target: valueText; property: "opacity"; to: 1; duration: 140 }
                    }
                }
            }
        }

        RowLayout {
            spacing: 8
            Layout.fillWidth: true
            Layout.leftMargin: 38 - 12

            Text {
                objectName: "minimumLabel"
                visible: row.minimumLabel.length > 0
                text: row.minimumLabel
                font.pixelSize: 10
                color: "#6e6e73"
            }

            Slider {
                id: slider
                objectName: "slider"
                Layout.fillWidth: true
                from: ranged.from
                to: ranged.to
                stepSize: ranged.step
                snapMode: ranged.step > 0 ? Slider.SnapAlways : Slider.NoSnap
                value: ranged.value
                live: true
                padding: 0
                onMoved: ranged.commit(value)

                background: Rectangle {
                    x: slider.leftPadding
                    y: slider.topPadding + slider.availableHeight / 2 - height / 2
                    width: slider.availableWidth
                    height: 4
                    radius: 2
                    color: "#e0e0e5"

                    Rectangle {
                        width: slider.visualPosition * parent.width
                        height: parent.height
                        radius: 2
                        color: "#0a84ff"
                    }
                }
                handle: Rectangle {
                    x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
                    y: slider.topPadding + slider.availableHeight / 2 - height / 2
                    implicitWidth: 20
                    implicitHeight: 20
                    radius: 10
                    color: slider.pressed ? "#f2f2f7" : "white"
                    border.color: "#c7c7cc"
                }
            }

            Text {
                objectName: "maximumLabel"
                visible: row.maximumLabel.length > 0
                text: row.maximumLabel
                font.pixelSize: 10
                color: "#6e6e73"
            }
        }
    }
}
