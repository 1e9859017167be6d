#include "app/AppDelegate.h"
#include "platform/linux/UnixSignals.h"
#include "settings/DefaultsStore.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

bool hasDesktopSession() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!hasDesktopSession()) {
        std::fputs("zelvik: no desktop session found (neither DISPLAY nor WAYLAND_DISPLAY is "
                   "set).\nZelvik draws on the screen of a running desktop; start it from "
                   "within your desktop session.\n",
                   stderr);
        return EXIT_FAILURE;
    }
    // The notch lives on X11; Wayland sessions run it through XWayland.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvik"));
    QApplication::setOrganizationName(QStringLiteral("Zelvik"));
    QApplication::setQuitOnLastWindowClosed(false);

    zelvik::UnixSignals signals_;
    QObject::connect(&signals_, &zelvik::UnixSignals::terminationRequested, &app,
                     [] { QCoreApplication::quit(); });

    zelvik::AppDelegate delegate;
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });

    const int code = QApplication::exec();
    zelvik::DefaultsStore::standard().sync();
    return code;
}
