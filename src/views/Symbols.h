#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zelvik {

// Symbols are named the way the rest of Zelvik names them ("music.note",
// "tray.full.fill") and drawn from the Material Icons font, whose ligatures
// turn a word such as "music_note" into one glyph. This is the one table
// between the two.

// The font family that draws the ligatures.
inline constexpr const char* kSymbolFontFamily = "Material Icons";

// The ligature for a symbol name; a name the table does not know draws as a
// neutral dot rather than as an empty box or as the letters of its name.
QString symbolLigature(QStringView name);
// Whether the table knows the name.
bool hasSymbol(QStringView name);
// Every name in the table.
QStringList symbolNames();

// The table for QML:
//   Text { font.family: Symbols.fontFamily; text: Symbols.ligature("timer") }
class Symbols : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)
public:
    using QObject::QObject;
    QString fontFamily() const { return QString::fromLatin1(kSymbolFontFamily); }
    Q_INVOKABLE QString ligature(const QString& name) const { return symbolLigature(name); }
};

} // namespace zelvik
