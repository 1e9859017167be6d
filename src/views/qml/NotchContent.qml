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

    // Until the real views land, each content is an empty placeholder.
    Component {
        id: closedContent
        Item {
            objectName: "closedContent"
            anchors.fill: parent
        }
    }
    Component {
        id: hudContent
        Item {
            objectName: "hudContent"
            anchors.fill: parent
        }
    }
    Component {
        id: openContent
        Item {
            objectName: "openContent"
            anchors.fill: parent
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
        view.createObject(box, {})
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
