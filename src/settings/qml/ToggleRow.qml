import QtQuick
import QtQuick.Controls.Basic

// A row whose accessory is a switch without a label.
SettingRow {
    id: row
    property bool checked
    signal toggled(bool value)

    Switch {
        id: control
        objectName: "toggle"
        checked: row.checked
        padding: 0
        implicitWidth: 38
        implicitHeight: 22
        focusPolicy: Qt.TabFocus
        onToggled: {
            row.toggled(checked)
            // Back to the setting: if it refused the change the switch says so.
            checked = Qt.binding(() => row.checked)
        }

        indicator: Rectangle {
            x: control.leftPadding
            y: control.topPadding
            implicitWidth: 38
            implicitHeight: 22
            radius: 11
            color: control.checked ? "#34c759" : "#d1d1d6"
            Behavior on color { ColorAnimation { duration: 120 } }

            Rectangle {
                width: 18
                height: 18
                radius: 9
                y: 2
                x: control.checked ? parent.width - width - 2 : 2
                color: "white"
                border.color: "#00000022"
                Behavior on x { NumberAnimation { duration: 120; easing.type: Easing.OutCubic } }
            }
        }
        contentItem: Item {}
    }
}
