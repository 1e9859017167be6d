#pragma once

#include <QObject>
#include <QString>

namespace zelvik {

// The symbols of the settings window, by their symbol names, as Material
// Icons ligatures (font family "Material Icons"). Only the names this window
// uses; a name it does not know draws a plain dot rather than nothing.
//
// Kept here until the notch views' symbol table covers these names; then
// the two become one.
QString settingsSymbolLigature(const QString& symbolName);

// The same for QML: Symbols.ligature("gearshape.fill").
class SettingsSymbols : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QString ligature(const QString& symbolName) const {
        return settingsSymbolLigature(symbolName);
    }
    Q_INVOKABLE bool knows(const QString& symbolName) const;
};

} // namespace zelvik
