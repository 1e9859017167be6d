import QtQuick
import QtQuick.Layouts

// The selected page's symbol, title and subtitle.
RowLayout {
    id: header
    property string symbol
    property color tint
    property string title
    property string subtitle

    spacing: 14

    SettingIcon {
        size: 42
        symbol: header.symbol
        tint: header.tint
    }
    ColumnLayout {
        spacing: 2
        Text {
            objectName: "pageTitle"
            text: header.title
            font.pixelSize: 22
            font.weight: Font.Bold
            color: "#1d1d1f"
        }
        Text {
            objectName: "pageSubtitle"
            text: header.subtitle
            font.pixelSize: 13
            color: "#6e6e73"
        }
    }
}
