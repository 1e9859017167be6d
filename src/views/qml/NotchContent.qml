import QtQuick

// The body of the outline shows one content at a time: the closed notch, a
// notice or the open panel. A new content (also each new notice) blurs and
// fades in while the previous one blurs and fades out.
Item {
    id: slot

    required property QtObject model
    required property QtObject containerState

    property Item current: null
    property string currentKey: ""

    Component {
        id: closedContent
        ClosedNotchView {
            objectName: "closedContent"
            anchors.fill: parent
            model: slot.model
        }
    }
    // Made for the notice on show when it is created, and kept to that one.
    Component {
        id: hudContent
        HUDContent {
            objectName: "hudContent"
            anchors.fill: parent
            model: slot.model
        }
    }
    // The open panel is read when the pointer first comes to the notch (in
    // the background, while the hover delay runs) or on the first open:
    // until then neither it nor the controls module of its tooltips and
    // menus is loaded.
    property Component openContent: null
    function openComponent(asynchronous) {
        if (!slot.openContent) {
            slot.openContent = Qt.createComponent("OpenNotchView.qml", asynchronous
                                                  ? Component.Asynchronous : Component.PreferSynchronous)
            if (slot.openContent.status === Component.Error)
                console.warn(slot.openContent.errorString())
        }
        return slot.openContent
    }
    Connections {
        target: slot.model
        enabled: !slot.openContent
        function onStatusChanged() {
            if (slot.model.statusName !== "closed")
                slot.openComponent(true)
        }
    }
    Component {
        id: fade
        BlurFade {
            anchors.fill: parent
            response: slot.containerState.springResponse
            dampingFraction: slot.containerState.springDampingFraction
        }
    }

    function replace(animated) {
        // One change of the model can pass through several contents (opening
        // drops the notice first); only where it ends up is shown.
        if (slot.current && slot.currentKey === slot.containerState.contentKey)
            return
        slot.currentKey = slot.containerState.contentKey
        const kind = slot.containerState.content
        const view = kind === "open" ? slot.openComponent(false) : kind === "hud" ? hudContent
                                                                                    : closedContent
        // Still being read in the background: shown once it is ready.
        if (view.status === Component.Loading) {
            slot.currentKey = ""
            view.statusChanged.connect(() => slot.replace(animated))
            return
        }
        const box = fade.createObject(slot, {
                                          "active": animated
                                      })
        const content = view.createObject(box, kind === "hud" ? {
                                                                  "hud": slot.model.hud
                                                              } : kind === "open" ? {
                                                                                        "objectName": "openContent",
                                                                                        "model": slot.model
                                                                                    } : {})
        // Header buttons are reported only by the panel that is staying.
        if (kind === "open") {
            content.anchors.fill = box
            content.reporting = Qt.binding(() => !box.active)
        }
        const old = slot.current
        if (old) {
            old.settled.connect(() => old.destroy())
            old.active = true
        }
        slot.current = box
        box.active = false
    }

    Connections {
        target: slot.containerState
        function onContentKeyChanged() {
            Qt.callLater(slot.replace, true)
        }
    }

    Component.onCompleted: replace(false)
}
