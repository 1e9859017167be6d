import QtQuick
import Zelvik.Views 1.0

// Fills the notch window; the outline hangs from its top centre. Nothing else
// is painted, so the rest of the window stays see-through.
// Texts written in QML follow the language through Language. Some texts are
// made in C++ (the focus view's state and presets, the players' names) and
// tell no change of language, so the whole tree is also built again when the
// language changes.
Item {
    id: root

    required property QtObject model

    anchors.fill: parent

    Binding {
        target: Language
        property: "settings"
        value: root.model.settings
    }

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
