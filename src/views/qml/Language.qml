pragma Singleton
import Zelvik.Views.Language 1.0

// Every text of the views is chosen here between its English and its Turkish
// literal, written side by side where it is used:
//   text: Language.localized("Shelf", "Raf")
// Both functions read `turkish`, so a binding that calls them is evaluated
// again the moment the language changes (once the window's root has set
// `settings`).
ViewLanguage {
    function localized(english, turkishText) {
        return turkish ? turkishText : english
    }

    // A section title in capitals with the language's case rules.
    function heading(text) {
        return upperCased(text, turkish)
    }
}
