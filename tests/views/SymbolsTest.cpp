// The symbol table against the icon font that draws it.
#include "views/Symbols.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace zelvik;

namespace {

// The icon font draws a known ligature as one glyph exactly one em wide; an
// unknown word comes out as its letters, many ems wide.
double drawnWidth(const QString& ligature) {
    QFont font(QString::fromLatin1(kSymbolFontFamily));
    font.setPixelSize(24);
    return QFontMetricsF(font).horizontalAdvance(ligature);
}

} // namespace

TEST(Symbols, EveryNameInTheTableDrawsAsOneGlyphOfTheIconFont) {
    QFont font(QString::fromLatin1(kSymbolFontFamily));
    ASSERT_EQ(QFontInfo(font).family(), QString::fromLatin1(kSymbolFontFamily))
        << "fonts-material-design-icons-iconfont is not installed";
    ASSERT_GT(drawnWidth(QStringLiteral("no_such_icon_name")), 48)
        << "the width test tells nothing";

    const QStringList names = symbolNames();
    EXPECT_GE(names.size(), 60);
    for (const QString& name : names) {
        ASSERT_TRUE(hasSymbol(name)) << name.toStdString();
        EXPECT_NEAR(drawnWidth(symbolLigature(name)), 24, 0.5)
            << name.toStdString() << " -> " << symbolLigature(name).toStdString();
    }
}

TEST(Symbols, AnUnknownNameDrawsANeutralGlyphNotItsLetters) {
    for (const char* name : {"no.such.symbol", "", "Music.Note", "music.note "}) {
        EXPECT_FALSE(hasSymbol(QString::fromLatin1(name))) << name;
        EXPECT_NEAR(drawnWidth(symbolLigature(QString::fromLatin1(name))), 24, 0.5) << name;
    }
    // The names the program's notices and tabs are built on.
    for (const char* name : {"music.note", "timer", "tray.full.fill", "battery.25percent",
                             "airpodspro", "dot.radiowaves.left.and.right"})
        EXPECT_TRUE(hasSymbol(QString::fromLatin1(name))) << name;
}
