import QtQuick
import Zelvik.Views 1.0

// The outline with its background, shadow, drop highlight, click and drop
// handling and context menu. Sizes, radii and opacities come from
// NotchContainerState; this file only lays them out and animates them.
Item {
    id: container

    required property QtObject model

    // The room around the outline that the shadow's blur and offset need.
    readonly property real shadowMargin: 28
    readonly property real shadowOffset: 8

    NotchContainerState {
        id: containerState
        objectName: "containerState"
        model: container.model
    }

    SpringValue {
        id: frameWidthSpring
        target: containerState.frameWidth
        response: containerState.springResponse
        dampingFraction: containerState.springDampingFraction
    }
    SpringValue {
        id: frameHeightSpring
        target: containerState.frameHeight
        response: containerState.springResponse
        dampingFraction: containerState.springDampingFraction
    }
    SpringValue {
        id: topRadiusSpring
        target: containerState.topRadius
        response: containerState.springResponse
        dampingFraction: containerState.springDampingFraction
    }
    SpringValue {
        id: bottomRadiusSpring
        target: containerState.bottomRadius
        response: containerState.springResponse
        dampingFraction: containerState.springDampingFraction
    }
    SpringValue {
        id: shadowOpacitySpring
        target: containerState.shadowOpacity
        response: containerState.springResponse
        dampingFraction: containerState.springDampingFraction
    }

    // While the outline moves, the contents can reach past its rounded
    // bottom corners; then they are held to the outline itself.
    readonly property bool bodyMoving: frameWidthSpring.running || frameHeightSpring.running
                                       || bottomRadiusSpring.running
    readonly property bool softwareRenderer: GraphicsInfo.api === GraphicsInfo.Software
    readonly property bool masksContent: bodyMoving && !softwareRenderer
                                         && GraphicsInfo.api !== GraphicsInfo.Unknown

    // Whether the outline (or its shadow) is still on its way; the window
    // that carries it shrinks only once it has come to rest.
    readonly property bool outlineMoving: frameWidthSpring.running || frameHeightSpring.running
                                          || topRadiusSpring.running
                                          || bottomRadiusSpring.running
                                          || shadowOpacitySpring.running
    onOutlineMovingChanged: container.model.outlineMoving = outlineMoving
    // A tree built again (a new language) starts at rest.
    Component.onCompleted: container.model.outlineMoving = outlineMoving

    // The glass amount eases over 0.35 s (ease-in-out).
    property real glass: containerState.effectiveGlass
    Behavior on glass {
        NumberAnimation {
            duration: 350
            easing.type: Easing.Bezier
            easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
        }
    }

    anchors.fill: parent
    opacity: containerState.hiddenWhenIdle ? 0 : 1
    Behavior on opacity {
        NumberAnimation {
            duration: 200
            easing.type: Easing.Bezier
            easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
        }
    }

    Item {
        id: frame
        objectName: "notchFrame"
        // For the content layer's mask (OutlineMask), made beside it.
        readonly property Item outlineMaskTexture: maskTexture
        anchors.horizontalCenter: parent.horizontalCenter
        y: 0
        width: Math.max(0, frameWidthSpring.value)
        height: Math.max(0, frameHeightSpring.value)

        NotchShadow {
            id: notchShadow
            x: -container.shadowMargin
            y: container.shadowOffset - container.shadowMargin
            width: frame.width + 2 * container.shadowMargin
            height: frame.height + 2 * container.shadowMargin
            inset: container.shadowMargin
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
            radius: 18
            opacity: Math.min(1, Math.max(0, shadowOpacitySpring.value))
            visible: opacity > 0.001
        }

        // Frosts what lies behind the glass where the compositor can.
        BehindWindowBlur {
            anchors.fill: parent
            // Not behind a capsule that has faded out while idle.
            active: background.hasGlassLayer && container.opacity > 0
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
        }

        NotchBackground {
            id: background
            objectName: "notchBackground"
            anchors.fill: parent
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
            glass: container.glass
            tint: containerState.tint
        }

        // The body between the flares, where the contents go. It clips to
        // its rectangle; while the outline moves, the contents are masked to
        // the outline itself where the renderer has shaders, and cut out of
        // the corners after drawing where it has not.
        Item {
            id: contentClip
            anchors.fill: parent
            layer.enabled: container.masksContent
            layer.effect: container.masksContent ? Qt.createComponent("OutlineMask.qml") : null

            Item {
                id: content
                objectName: "notchContent"
                x: topRadiusSpring.value
                width: Math.max(0, frame.width - 2 * topRadiusSpring.value)
                height: frame.height
                clip: true

                NotchContent {
                    anchors.fill: parent
                    model: container.model
                    containerState: containerState
                }
            }
        }
        // The outline drawn only into the mask's texture, and only while the
        // mask is in use.
        NotchBackground {
            id: outlineMask
            anchors.fill: parent
            visible: container.masksContent
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
            glass: 0
        }
        ShaderEffectSource {
            id: maskTexture
            visible: false
            sourceItem: container.masksContent ? outlineMask : null
            hideSource: true
            live: container.masksContent
        }
        SoftwareOutlineClip {
            anchors.fill: parent
            visible: container.bodyMoving && container.softwareRenderer
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
            shadow: notchShadow
        }

        NotchStroke {
            anchors.fill: parent
            anchors.margins: -1
            inset: 1
            topRadius: topRadiusSpring.value
            bottomRadius: bottomRadiusSpring.value
            visible: container.model.isDropTargeted
            color: Qt.rgba(0.36, 0.84, 0.96, 0.7)
            lineWidth: 1.5
        }

        // Below the contents: a tile's own menu or the share button's drop
        // comes first, and what no content takes falls through to these.
        MouseArea {
            id: clicks
            z: -1
            anchors.fill: parent
            containmentMask: background
            // While open the contents take the left button; the menu is
            // there in every containerState.
            acceptedButtons: containerState.acceptsClicks ? (Qt.LeftButton | Qt.RightButton)
                                                 : Qt.RightButton
            onClicked: mouse => {
                if (mouse.button === Qt.RightButton)
                    menu.popup(clicks, mouse.x, mouse.y)
                else
                    container.model.open()
            }
        }

        // Drops go to the shelf; the source is told "copied" (or "linked"),
        // never "moved". Below the contents, like the clicks above.
        NotchDropArea {
            objectName: "dropArea"
            z: -1
            anchors.fill: parent
            model: container.model
        }
    }

    // Made on the first right-click: until then the controls module the
    // menu is built with is not loaded.
    Loader {
        id: menu
        function popup(parentItem, x, y) {
            if (!item)
                setSource("NotchContextMenu.qml", {
                              "model": container.model
                          })
            item.popup(parentItem, x, y)
        }
    }
    Connections {
        target: menu.item
        function onQuitRequested() {
            containerState.quitApplication()
        }
    }
}
