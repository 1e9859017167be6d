import QtQuick
import Zelvik.Views 1.0

// A content that fades in and out on a spring: shown while `shown`,
// transparent otherwise. Used where the open notch swaps one tab's content
// for another's.
Item {
    id: box

    property bool shown: false
    property real response: 0.5
    property real dampingFraction: 0.85
    // The spring has come to rest.
    signal settled

    SpringValue {
        id: presence
        target: box.shown ? 1 : 0
        response: box.response
        dampingFraction: box.dampingFraction
        onRunningChanged: if (!running)
                              box.settled()
    }

    opacity: Math.min(1, Math.max(0, presence.value))
    visible: opacity > 0.001
}
