import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts

// A page's sections in a column that scrolls when it is taller than the
// window.
Flickable {
    id: page
    default property alias sections: column.data

    contentWidth: width
    contentHeight: column.implicitHeight + 48
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

    ColumnLayout {
        id: column
        x: 28
        y: 8
        width: page.width - 56
        spacing: 22
    }
}
