import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Templates as T
import Zelvik.Views 1.0

PageColumn {
    id: page
    property QtObject actions
    // The reset's confirmation is on show.
    property bool confirmReset: false

    Item {
        Layout.fillWidth: true
        Layout.topMargin: 10
        implicitHeight: identity.implicitHeight

        ColumnLayout {
            id: identity
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 6

            Image {
                objectName: "logo"
                source: "ZelvikLogo.svg"
                sourceSize: Qt.size(192, 192)
                Layout.preferredWidth: 96
                Layout.preferredHeight: 96
                Layout.alignment: Qt.AlignHCenter
            }
            Text {
                objectName: "appName"
                text: "Zelvik"
                font.pixelSize: 26
                font.weight: Font.Bold
                color: "#1d1d1f"
                Layout.alignment: Qt.AlignHCenter
            }
            Text {
                objectName: "version"
                text: Language.localized("Version ", "Sürüm ") + page.actions.version
                font.pixelSize: 13
                color: "#6e6e73"
                Layout.alignment: Qt.AlignHCenter
            }
            Text {
                objectName: "maker"
                text: "Tarnwell Works"
                font.pixelSize: 12
                color: "#8e8e93"
                Layout.alignment: Qt.AlignHCenter
            }
        }
    }

    SettingsSection {
        SettingRow {
            objectName: "row.reset"
            symbol: "arrow.counterclockwise"
            tint: "#ff3b30"
            title: Language.localized("Restore all settings to defaults",
                                      "Tüm ayarları varsayılana döndür")
            subtitle: Language.localized("Shelf items are kept", "Raftaki öğeler silinmez")

            PillButton {
                objectName: "resetButton"
                text: Language.localized("Reset", "Sıfırla")
                onClicked: page.confirmReset = true
            }
        }
    }

    Dialog {
        id: confirmation
        objectName: "resetConfirmation"
        parent: T.Overlay.overlay
        anchors.centerIn: parent
        modal: true
        visible: page.confirmReset
        onClosed: page.confirmReset = false
        padding: 20
        width: 320

        background: Rectangle {
            radius: 14
            color: "white"
            border.color: "#d1d1d6"
        }
        contentItem: ColumnLayout {
            spacing: 16
            Text {
                objectName: "confirmationTitle"
                text: Language.localized("Reset all settings?", "Tüm ayarlar sıfırlansın mı?")
                font.pixelSize: 15
                font.weight: Font.DemiBold
                color: "#1d1d1f"
                wrapMode: Text.WordWrap
                Layout.fillWidth: true
            }
            Text {
                text: Language.localized("Shelf items are kept", "Raftaki öğeler silinmez")
                font.pixelSize: 12
                color: "#6e6e73"
                Layout.fillWidth: true
            }
            RowLayout {
                spacing: 8
                Layout.alignment: Qt.AlignRight
                PillButton {
                    objectName: "cancelReset"
                    text: Language.localized("Cancel", "Vazgeç")
                    onClicked: confirmation.close()
                }
                PillButton {
                    objectName: "confirmReset"
                    text: Language.localized("Reset", "Sıfırla")
                    destructive: true
                    onClicked: {
                        page.actions.resetAllSettings()
                        confirmation.close()
                    }
                }
            }
        }
    }
}
