#pragma once

#include <QString>
#include <QStringList>

namespace zelvik {

// What the command line asks of this start of Zelvik.
struct CommandLineRequest {
    enum class Action {
        start,        // run Zelvik (a running one is asked to toggle its notch)
        toggle,       // ask the running Zelvik to toggle its notch, or start one
        showSettings, // ask the running Zelvik for its settings window, or start one
        printHelp,
        printVersion,
        usageError, // an option that does not exist, or options that exclude each other
    };
    Action action = Action::start;
    // The help or version text for standard output, or the error for
    // standard error.
    QString text;
};

// Zelvik's options, read the usual way (QCommandLineParser): -h/--help,
// -v/--version, --toggle and --settings. Nothing here needs a display, so
// the help and the version work anywhere.
class CommandLine {
public:
    // The exit code of a command line that cannot be read.
    static constexpr int kUsageErrorExitCode = 2;

    // `arguments` starts with the program's name, as argv does.
    static CommandLineRequest parse(const QStringList& arguments);
    // The long names of every option, for documentation checks.
    static QStringList optionNames();
};

} // namespace zelvik
