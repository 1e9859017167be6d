#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "model/NotchModel.h"
#include "platform/linux/DesktopSession.h"
#include "platform/linux/UnixSignals.h"
#include "settings/DefaultsStore.h"

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using zelvik::CommandLineRequest;
using zelvik::DesktopSession;

// A compositor that starts XWayland on the first connection answers well
// within this; a server that says nothing for so long is not coming.
constexpr std::chrono::seconds kXServerAnswerTime{10};

bool hasDesktopSession() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

// The toolkit aborts when it cannot reach the X server; say why instead.
bool reportMissingXServer(DesktopSession::Kind session) {
    const QByteArray display = qgetenv("DISPLAY");
    switch (DesktopSession::checkXServer(kXServerAnswerTime)) {
    case DesktopSession::XServerCheck::reachable:
        return false;
    case DesktopSession::XServerCheck::noDisplay:
        if (session == DesktopSession::Kind::wayland)
            std::fputs("zelvik: this Wayland session offers no XWayland (DISPLAY is not set).\n"
                       "Zelvik draws its notch through XWayland; turn XWayland on in your "
                       "desktop or compositor and start Zelvik again.\n",
                       stderr);
        else
            std::fputs("zelvik: DISPLAY is not set.\nZelvik needs X11; on a Wayland desktop "
                       "it runs through XWayland, which sets DISPLAY.\n",
                       stderr);
        return true;
    case DesktopSession::XServerCheck::refused:
        std::fprintf(stderr,
                     "zelvik: cannot open the X display \"%s\".\nZelvik needs a desktop "
                     "session with X11 (or XWayland); start it from within that session.\n",
                     display.constData());
        return true;
    case DesktopSession::XServerCheck::noAnswer:
        std::fprintf(stderr,
                     "zelvik: the X display \"%s\" accepts connections but did not answer "
                     "within %d seconds.\nZelvik needs a working X11 (or XWayland) display.\n",
                     display.constData(), int(kXServerAnswerTime.count()));
        return true;
    }
    return true;
}

// Hands the request over to the Zelvik that already runs.
int askRunningInstance(CommandLineRequest::Action action) {
    QString error;
    const bool answered = action == CommandLineRequest::Action::showSettings
                              ? zelvik::SingleInstance::showSettingsOfRunningInstance(&error)
                              : zelvik::SingleInstance::toggleRunningInstance(&error);
    if (answered)
        return EXIT_SUCCESS;
    std::fprintf(stderr, "zelvik: another Zelvik is running but did not answer: %s\n",
                 qPrintable(error));
    return EXIT_FAILURE;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request = zelvik::CommandLine::parse(arguments);
    switch (request.action) {
    case CommandLineRequest::Action::printHelp:
    case CommandLineRequest::Action::printVersion:
        std::fputs(qPrintable(request.text), stdout);
        return EXIT_SUCCESS;
    case CommandLineRequest::Action::usageError:
        std::fputs(qPrintable(request.text), stderr);
        return zelvik::CommandLine::kUsageErrorExitCode;
    default:
        break;
    }

    if (!hasDesktopSession()) {
        std::fputs("zelvik: no desktop session found (neither DISPLAY nor WAYLAND_DISPLAY is "
                   "set).\nZelvik draws on the screen of a running desktop; start it from "
                   "within your desktop session.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // The notch lives on X11; Wayland sessions run it through XWayland.
    const DesktopSession::Kind session = DesktopSession::current();
    const QByteArray requested = qgetenv("QT_QPA_PLATFORM");
    const QByteArray platform = DesktopSession::platformFor(requested);
    if (platform != requested)
        qputenv("QT_QPA_PLATFORM", platform);
    if (platform.startsWith("xcb") && reportMissingXServer(session))
        return EXIT_FAILURE;

    // The notch is a few flat shapes, text and small pictures: Qt Quick's
    // software renderer draws its morph in time and holds less than half the
    // memory OpenGL through Mesa does, and starts sooner (scripts/
    // bench-footprint measures both). Content changes then fade and scale
    // without the blur. QT_QUICK_BACKEND or QSG_RHI_BACKEND choose another.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND") &&
        !qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvik"));
    QApplication::setOrganizationName(QStringLiteral("Zelvik"));
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start hands over to the running Zelvik and leaves.
    zelvik::SingleInstance instance;
    if (instance.claim() == zelvik::SingleInstance::Claim::taken)
        return askRunningInstance(request.action);

    if (session == DesktopSession::Kind::wayland)
        std::fprintf(stderr,
                     "zelvik: Wayland session: running through XWayland on display %s. "
                     "Alt+Super+N cannot be taken here; bind \"zelvik --toggle\" to a "
                     "shortcut of your desktop.\n",
                     qgetenv("DISPLAY").constData());

    zelvik::UnixSignals signals_;
    QObject::connect(&signals_, &zelvik::UnixSignals::terminationRequested, &app,
                     [] { QCoreApplication::quit(); });

    zelvik::AppDelegate delegate(session);
    instance.onToggle = [&delegate] { delegate.model().toggle(); };
    instance.onShowSettings = [&delegate] { delegate.model().showSettingsWindow(); };
    QTimer::singleShot(0, &delegate, [&delegate, action = request.action] {
        delegate.applicationDidFinishLaunching();
        if (action == CommandLineRequest::Action::showSettings)
            delegate.model().showSettingsWindow();
    });

    const int code = QApplication::exec();
    zelvik::DefaultsStore::standard().sync();
    return code;
}
