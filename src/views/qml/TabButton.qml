import QtQuick
import Zelvik.Views 1.0

// One tab of the open notch's header: the panel's symbol in a 32 x 22
// capsule, in the panel's colour on a tinted capsule when selected, white
// (brighter on hover) otherwise. A click runs the model's header action for
// the tab; the frame is reported as "tab.<panel>".
Item {
    id: tab

    required property QtObject model
    required property string panel
    property QtObject hitTargets: null
    readonly property bool selected: model.tabName === panel
    readonly property bool hovering: area.containsMouse

    // The panel's symbol, colour and title.
    readonly property var look: ({
                                     "shelf": {
                                         "symbol": "tray.full.fill",
                                         "color": Qt.rgba(0.36, 0.84, 0.96, 1),
                                         "title": Language.localized("Shelf", "Raf")
                                     },
                                     "focus": {
                                         "symbol": "timer",
                                         "color": Qt.rgba(1.0, 0.63, 0.26, 1),
                                         "title": Language.localized("Focus", "Odak")
                                     },
                                     "music": {
                                         "symbol": "music.note",
                                         "color": Qt.rgba(1.0, 0.38, 0.56, 1),
                                         "title": Language.localized("Music", "Müzik")
                                     }
                                 })[panel]
    readonly property color panelColor: look.color

    function mix(a, b, t) {
        return Qt.rgba(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                       a.a + (b.a - a.a) * t)
    }

    width: 32
    height: 22

    // Selection follows the model's tab on its spring.
    SpringValue {
        id: selection
        target: tab.selected ? 1 : 0
        response: 0.5
        dampingFraction: 0.85
    }
    readonly property real chosen: Math.min(1, Math.max(0, selection.value))

    Rectangle {
        objectName: "tabCapsule"
        anchors.fill: parent
        radius: height / 2
        color: tab.mix(Qt.rgba(1, 1, 1, tab.hovering ? 0.08 : 0),
                       Qt.rgba(tab.panelColor.r, tab.panelColor.g, tab.panelColor.b, 0.2),
                       tab.chosen)
    }
    SymbolIcon {
        anchors.centerIn: parent
        name: tab.look.symbol
        size: 12
        color: tab.mix(Qt.rgba(1, 1, 1, tab.hovering ? 0.85 : 0.5), tab.panelColor, tab.chosen)
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: tab.model.headerAction("tab." + tab.panel)
    }

    NotchToolTip {
        text: tab.look.title
        visible: tab.hovering
    }

    HitTarget {
        anchors.fill: parent
        key: tab.hitTargets
        name: "tab." + tab.panel
    }
}
