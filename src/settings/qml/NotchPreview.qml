import QtQuick
import QtQuick.Layouts
import Zelvik.Settings 1.0
import Zelvik.Views 1.0

// The notch at half size over a sample wallpaper, drawn by the same outline,
// background and shadow as the real one and following the appearance
// settings. A click opens or closes it with the chosen animation.
Item {
    id: preview
    property QtObject model
    readonly property real scale: 0.5
    // Room above the top bar for the outline's flare, and around it for the shadow.
    readonly property real shadowMargin: 28

    implicitHeight: 210

    NotchPreviewState {
        id: previewState
        objectName: "previewState"
        model: preview.model
    }

    SpringValue {
        id: widthSpring
        target: previewState.frameWidth
        response: previewState.springResponse
        dampingFraction: previewState.springDampingFraction
    }
    SpringValue {
        id: heightSpring
        target: previewState.frameHeight
        response: previewState.springResponse
        dampingFraction: previewState.springDampingFraction
    }
    SpringValue {
        id: topSpring
        target: previewState.topRadius
        response: previewState.springResponse
        dampingFraction: previewState.springDampingFraction
    }
    SpringValue {
        id: bottomSpring
        target: previewState.bottomRadius
        response: previewState.springResponse
        dampingFraction: previewState.springDampingFraction
    }

    Item {
        id: frame
        anchors.fill: parent
        clip: true

        PreviewWallpaper {
            objectName: "wallpaper"
            anchors.fill: parent
            source: Qt.resolvedUrl("SampleWallpaper.svg")
            radius: 18
            // The desktop's top bar, which the notch hangs from.
            barHeight: 14
            barColor: "#33ffffff"
        }

        Item {
            id: notch
            objectName: "previewNotch"
            anchors.horizontalCenter: parent.horizontalCenter
            width: widthSpring.value
            height: heightSpring.value
            scale: preview.scale
            transformOrigin: Item.Top

            NotchShadow {
                x: -preview.shadowMargin
                y: 8 - preview.shadowMargin
                width: notch.width + 2 * preview.shadowMargin
                height: notch.height + 2 * preview.shadowMargin
                inset: preview.shadowMargin
                topRadius: topSpring.value
                bottomRadius: bottomSpring.value
                radius: 18
                opacity: previewState.shadowOpacity
                visible: opacity > 0.001
                Behavior on opacity { NumberAnimation { duration: 200 } }
            }

            NotchBackground {
                objectName: "previewBackground"
                anchors.fill: parent
                topRadius: topSpring.value
                bottomRadius: bottomSpring.value
                glass: previewState.glass
                tint: previewState.tint
                Behavior on glass { NumberAnimation { duration: 350; easing.type: Easing.InOutQuad } }
            }

            // A hint of the open panel's contents: three tabs and a cover.
            Item {
                anchors.fill: parent
                anchors.leftMargin: topSpring.value + 28
                anchors.rightMargin: topSpring.value + 28
                opacity: previewState.open ? 1 : 0
                Behavior on opacity { NumberAnimation { duration: 180 } }

                Row {
                    y: 10
                    spacing: 10
                    Repeater {
                        model: 3
                        Rectangle {
                            width: 56
                            height: 14
                            radius: 7
                            color: index === 2 ? "#59ffffff" : "#26ffffff"
                        }
                    }
                }
                Rectangle {
                    y: 48
                    width: 104
                    height: 104
                    radius: 14
                    color: Qt.rgba(0.93, 0.42, 0.30, 0.9)
                }
                Column {
                    x: 124
                    y: 62
                    spacing: 10
                    Rectangle { width: 190; height: 14; radius: 7; color: "#73ffffff" }
                    Rectangle { width: 120; height: 12; radius: 6; color: "#40ffffff" }
                    Rectangle { width: 260; height: 6; radius: 3; color: "#33ffffff" }
                }
            }
        }

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: previewState.toggle()
        }

        Text {
            objectName: "previewHint"
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            anchors.horizontalCenter: parent.horizontalCenter
            text: previewState.open
                  ? Language.localized("Click to close the preview", "Önizlemeyi kapatmak için tıkla")
                  : Language.localized("Click to open the preview", "Önizlemeyi açmak için tıkla")
            font.pixelSize: 11
            color: "#ccffffff"
        }
    }
}
