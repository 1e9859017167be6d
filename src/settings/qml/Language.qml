pragma Singleton
import QtQuick

// Every text of the settings window is chosen here between its English and
// its Turkish literal, written side by side where it is used:
//   text: Language.localized("General", "Genel")
// Bindings read `turkish` through these functions, so the whole window
// relabels the moment the language setting changes.
QtObject {
    // The settings store the window shows, and the heading case helper
    // (TextCase); both set when the window is made.
    property QtObject settings: null
    property QtObject textCase: null
    // AppLanguage: en is 0, tr is 1.
    readonly property bool turkish: settings !== null && settings.language === 1

    function localized(english, turkishText) {
        return turkish ? turkishText : english
    }

    // A section title in capitals with the language's case rules.
    function heading(text) {
        return textCase ? textCase.heading(text, turkish) : text
    }
}
