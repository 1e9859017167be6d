#include "CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace zelvik {

namespace {

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and leave.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show Zelvik's version and leave.")};
    QCommandLineOption toggle{
        QStringLiteral("toggle"),
        QStringLiteral("Open the notch of the running Zelvik, or close it when it is open; "
                       "start Zelvik when none runs. Bind this to a shortcut of your desktop "
                       "where Alt+Super+N cannot be taken (Wayland sessions).")};
    QCommandLineOption settings{
        QStringLiteral("settings"),
        QStringLiteral("Show the settings window of the running Zelvik; start Zelvik with "
                       "it when none runs.")};

    QList<QCommandLineOption> all() const { return {help, version, toggle, settings}; }
};

QString helpText(const QCommandLineParser& parser, const QString& program) {
    // The parser names the program as the application object does; say
    // "zelvik" as the user typed it, whichever way the parser was reached.
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(u" [options]");
    if (text.startsWith(u"Usage: ") && end > 0)
        text.replace(7, end - 7, program);
    return text;
}

} // namespace

CommandLineRequest CommandLine::parse(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns the top centre of the screen into a live notch: a shelf for "
                       "files, a focus timer and now-playing controls, with short notices.\n"
                       "Started again while it runs, Zelvik opens or closes the notch of the "
                       "running one."));
    parser.addOptions(options.all());

    const QString program =
        arguments.isEmpty() ? QStringLiteral("zelvik") : QFileInfo(arguments.first()).fileName();
    QStringList list = arguments;
    if (list.isEmpty())
        list << program;

    CommandLineRequest request;
    if (!parser.parse(list)) {
        request.action = CommandLineRequest::Action::usageError;
        request.text = QStringLiteral("%1: %2\nTry '%1 --help' for the options.\n")
                           .arg(program, parser.errorText());
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.action = CommandLineRequest::Action::usageError;
        request.text = QStringLiteral("%1: unexpected argument '%2'\nTry '%1 --help' for the "
                                      "options.\n")
                           .arg(program, parser.positionalArguments().first());
        return request;
    }
    if (parser.isSet(options.help)) {
        request.action = CommandLineRequest::Action::printHelp;
        request.text = helpText(parser, program);
        return request;
    }
    if (parser.isSet(options.version)) {
        request.action = CommandLineRequest::Action::printVersion;
        request.text = QStringLiteral("zelvik %1\n").arg(QStringLiteral(ZELVIK_VERSION));
        return request;
    }
    if (parser.isSet(options.toggle) && parser.isSet(options.settings)) {
        request.action = CommandLineRequest::Action::usageError;
        request.text = QStringLiteral("%1: --toggle and --settings ask for different things; "
                                      "give one of them\nTry '%1 --help' for the options.\n")
                           .arg(program);
        return request;
    }
    if (parser.isSet(options.toggle))
        request.action = CommandLineRequest::Action::toggle;
    else if (parser.isSet(options.settings))
        request.action = CommandLineRequest::Action::showSettings;
    return request;
}

QStringList CommandLine::optionNames() {
    QStringList names;
    for (const QCommandLineOption& option : Options().all())
        names << option.names();
    return names;
}

} // namespace zelvik
