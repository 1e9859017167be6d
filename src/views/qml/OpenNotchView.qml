import QtQuick
import Zelvik.Views 1.0

// The open notch: a header band as tall as the notch, with the tab buttons
// on the left and the icon buttons on the right, and below it the selected
// tab's content. The header buttons' frames are reported to the model for
// the window controller.
Item {
    id: view

    required property QtObject model
    // Tab buttons, in order.
    property var tabs: ["music", "shelf", "focus"]
    // Off while the view is on its way out.
    property alias reporting: headerTargets.reporting
    readonly property real notchHeight: model.notchSize.height

    HitTargetsKey {
        id: headerTargets
        model: view.model
    }
    ShelfListModel {
        id: shelfRows
        model: view.model
    }

    // The open panel's own frame, centred in the outline.
    Item {
        id: frame
        objectName: "openFrame"
        anchors.centerIn: parent
        width: view.model.openShapeSize.width
        height: view.model.openShapeSize.height

        Item {
            id: header
            objectName: "header"
            x: 14
            width: frame.width - 28
            height: view.notchHeight

            Row {
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4
                Repeater {
                    model: view.tabs
                    TabButton {
                        required property string modelData
                        model: view.model
                        panel: modelData
                        hitTargets: headerTargets
                    }
                }
            }

            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4
                HoverIconButton {
                    objectName: "trashButton"
                    visible: view.model.tabName === "shelf" && shelfRows.count > 0
                    symbol: "trash"
                    size: 12
                    frame: 24
                    help: Language.localized("Empty the shelf", "Rafı boşalt")
                    hitName: "trash"
                    hitTargets: headerTargets
                    onClicked: view.model.headerAction("trash")
                }
                HoverIconButton {
                    objectName: "settingsButton"
                    symbol: "gearshape.fill"
                    size: 12
                    frame: 24
                    help: Language.localized("Settings", "Ayarlar")
                    hitName: "settings"
                    hitTargets: headerTargets
                    onClicked: view.model.headerAction("settings")
                }
            }
        }

        Item {
            id: tabArea
            objectName: "tabArea"
            x: 26
            y: view.notchHeight + 6
            width: frame.width - 52
            height: frame.height - view.notchHeight - 6 - 18
        }
    }

    Component {
        id: shelfTab
        ShelfView {
            objectName: "shelfView"
            anchors.fill: parent
            model: view.model
            shelfList: shelfRows
        }
    }
    Component {
        id: focusTab
        FocusView {
            objectName: "focusView"
            anchors.fill: parent
            model: view.model
        }
    }
    Component {
        id: musicTab
        MusicView {
            objectName: "musicView"
            anchors.fill: parent
            model: view.model
        }
    }
    Component {
        id: fade
        SpringFade {
            anchors.fill: parent
        }
    }

    property Item currentTab: null
    property string currentTabName: ""

    // A new tab fades in over the old one on the tab spring.
    function showTab(animated) {
        const name = view.model.tabName
        if (view.currentTab && view.currentTabName === name)
            return
        view.currentTabName = name
        const box = fade.createObject(tabArea, {
                                          "shown": !animated
                                      })
        const content = name === "shelf" ? shelfTab : name === "focus" ? focusTab : musicTab
        content.createObject(box, {})
        const old = view.currentTab
        if (old) {
            old.settled.connect(() => old.destroy())
            old.shown = false
        }
        view.currentTab = box
        box.shown = true
    }

    Connections {
        target: view.model
        function onTabChanged() {
            view.showTab(true)
        }
    }

    Component.onCompleted: showTab(false)
}
