import QtQuick

// Fills the notch window; the outline hangs from its top centre. Nothing else
// is painted, so the rest of the window stays see-through. The whole tree is
// built again when the interface language changes, so every text follows.
Item {
    id: root

    required property QtObject model

    anchors.fill: parent

    Loader {
        id: tree
        anchors.fill: parent
        sourceComponent: Component {
            NotchContainer {
                model: root.model
            }
        }
    }

    Connections {
        target: root.model.settings
        function onLanguageChanged() {
            tree.active = false
            tree.active = true
        }
    }
}
