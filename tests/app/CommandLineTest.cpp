// Zelvik's command line: what each form asks for, and that the man page
// installed with the program documents exactly the options it takes.
#include "app/CommandLine.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zelvik::test {
namespace {

using Action = CommandLineRequest::Action;

TEST(CommandLineTest, EachFormAsksForItsAction) {
    struct Case {
        QStringList arguments;
        Action action;
        const char* textHas; // in the help, version or error text
    };
    const Case cases[] = {
        {{"zelvik"}, Action::start, ""},
        {{"/usr/bin/zelvik", "--toggle"}, Action::toggle, ""},
        {{"zelvik", "--settings"}, Action::showSettings, ""},
        {{"zelvik", "--help"}, Action::printHelp, "Usage: zelvik [options]"},
        {{"zelvik", "-h"}, Action::printHelp, "--toggle"},
        {{"zelvik", "--version"}, Action::printVersion, "zelvik " ZELVIK_VERSION},
        {{"zelvik", "-v"}, Action::printVersion, "zelvik " ZELVIK_VERSION},
        // Help wins over the other options, as it usually does.
        {{"zelvik", "--toggle", "--help"}, Action::printHelp, "--settings"},
        {{"zelvik", "--bogus"}, Action::usageError, "Unknown option 'bogus'"},
        {{"zelvik", "-x"}, Action::usageError, "Unknown option 'x'"},
        {{"zelvik", "notes.txt"}, Action::usageError, "unexpected argument 'notes.txt'"},
        {{"zelvik", "--toggle", "--settings"}, Action::usageError, "give one of them"},
        // Qt's own options are not Zelvik's.
        {{"zelvik", "-platform", "wayland"}, Action::usageError, "Unknown option"},
        {{}, Action::start, ""},
    };
    for (const Case& c : cases) {
        const CommandLineRequest request = CommandLine::parse(c.arguments);
        EXPECT_EQ(request.action, c.action) << c.arguments.join(u' ').toStdString();
        EXPECT_TRUE(request.text.contains(QString::fromUtf8(c.textHas)))
            << c.arguments.join(u' ').toStdString() << ": " << request.text.toStdString();
    }
    // Errors point at the help.
    EXPECT_TRUE(CommandLine::parse({"zelvik", "--bogus"}).text.contains(u"zelvik --help"));
    EXPECT_EQ(CommandLine::kUsageErrorExitCode, 2);
}

TEST(CommandLineTest, TheManPageDocumentsEveryOptionAndNoOther) {
    QFile page(QStringLiteral(ZELVIK_MAN_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << ZELVIK_MAN_PAGE;
    const QString text = QString::fromUtf8(page.readAll());

    // The options the page documents: the tags of its OPTIONS section,
    // written with roff's escaped dashes ("\-\-toggle", "\-h").
    const qsizetype start = text.indexOf(u"\n.SH OPTIONS");
    const qsizetype end = text.indexOf(u"\n.SH ", start + 1);
    ASSERT_GE(start, 0);
    const QString section = text.mid(start, end - start);
    QStringList documented;
    const QRegularExpression option(QStringLiteral(R"(\\-(\\-)?([a-z]+))"));
    const QStringList lines = section.split(u'\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != u".TP")
            continue; // a tag follows each .TP
        for (auto it = option.globalMatch(lines[i + 1]); it.hasNext();)
            documented << it.next().captured(2);
    }
    QStringList taken = CommandLine::optionNames();
    documented.sort();
    taken.sort();
    EXPECT_EQ(documented, taken);
    // And the page says how to bind the toggle on the desktops people use.
    for (const char* desktop : {"GNOME", "KDE Plasma", "sway", "Hyprland"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(desktop))) << desktop;
}

} // namespace
} // namespace zelvik::test
