import QtQuick
import QtQuick.Layouts
import Zelvik.Settings 1.0

// The settings window's content: the sidebar of pages and, beside it, the
// selected page under its header. Every row writes its setting at once.
Rectangle {
    id: root
    required property QtObject model
    required property QtObject settings
    required property QtObject pages
    required property QtObject displays
    required property QtObject launchAtLogin
    required property QtObject players
    required property QtObject actions

    // Each page's tint, in sidebar order.
    readonly property var tints: ["#8e8e93", "#af52de", "#0a84ff", "#ff2d55",
                                  "#ff9f0a", "#ff6b3d", "#ff3b30", "#30b0c7"]

    color: "#f5f5f7"

    // The desktop's key for closing a window (Ctrl+W) closes this one, as
    // it does a preferences window anywhere; closing only hides it.
    Shortcut {
        sequences: [StandardKey.Close]
        onActivated: root.Window.window.close()
    }

    Sidebar {
        id: sidebar
        objectName: "sidebar"
        pages: root.pages
        tints: root.tints
        width: 210
        height: parent.height
    }

    Item {
        anchors.left: sidebar.right
        anchors.right: parent.right
        height: parent.height

        SettingsBackdrop {
            anchors.fill: parent
            tint: root.tints[root.pages.currentPage]
        }

        PageHeader {
            id: header
            objectName: "pageHeader"
            x: 28
            y: 22
            symbol: root.pages.currentSymbol
            tint: root.tints[root.pages.currentPage]
            title: root.pages.currentTitle
            subtitle: root.pages.currentSubtitle
        }

        StackLayout {
            objectName: "pageStack"
            anchors.top: header.bottom
            anchors.topMargin: 14
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            currentIndex: root.pages.currentPage

            GeneralPage {
                objectName: "page.general"
                settings: root.settings
                displays: root.displays
                launchAtLogin: root.launchAtLogin
                hotKeyAvailable: root.model.hotKeyAvailable
            }
            AppearancePage {
                objectName: "page.appearance"
                settings: root.settings
                model: root.model
                actions: root.actions
            }
            BehaviorPage {
                objectName: "page.behavior"
                settings: root.settings
            }
            MusicPage {
                objectName: "page.music"
                settings: root.settings
                players: root.players
                music: root.model.music
            }
            ShelfPage {
                objectName: "page.shelf"
                settings: root.settings
                actions: root.actions
            }
            FocusPage {
                objectName: "page.focus"
                settings: root.settings
                actions: root.actions
            }
            AlertsPage {
                objectName: "page.alerts"
                settings: root.settings
                actions: root.actions
            }
            AboutPage {
                objectName: "page.about"
                actions: root.actions
            }
        }
    }
}
