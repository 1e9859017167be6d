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
    Component {
        id: openContent
        OpenNotchView {
            objectName: "openContent"
            anchors.fill: parent
            model: slot.model
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
        const view = kind === "open" ? openContent : kind === "hud" ? hudContent : closedContent
        const box = fade.createObject(slot, {
                                          "active": animated
                                      })
        const content = view.createObject(box, kind === "hud" ? {
                                                                  "hud": slot.model.hud
                                                              } : {})
        // Header buttons are reported only by the panel that is staying.
        if (kind === "open")
            content.reporting = Qt.binding(() => !box.active)
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
