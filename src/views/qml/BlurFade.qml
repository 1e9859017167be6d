import QtQuick
import Zelvik.Views 1.0

// One content of the notch on its way in or out. While `active` it is
// blurred by 10, transparent and shrunk to 0.92 about its top centre; while
// not, it is shown as it is. Between the two it moves on the notch's spring.
Item {
    id: box

    property bool active: true
    property real response: 0.5
    property real dampingFraction: 0.85
    // The spring has come to rest.
    signal settled

    SpringValue {
        id: progress
        target: box.active ? 1 : 0
        response: box.response
        dampingFraction: box.dampingFraction
        onRunningChanged: if (!running)
                              box.settled()
    }

    readonly property real amount: Math.min(1, Math.max(0, progress.value))

    opacity: 1 - amount
    scale: 1 - 0.08 * amount
    transformOrigin: Item.Top
    // The blur needs shaders; the software renderer fades and scales only.
    readonly property bool blurs: amount > 0.001 && GraphicsInfo.api !== GraphicsInfo.Software
                                  && GraphicsInfo.api !== GraphicsInfo.Unknown
    layer.enabled: blurs
    layer.effect: blurs ? Qt.createComponent("FadeBlur.qml") : null
}
