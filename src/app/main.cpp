#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "model/NotchModel.h"
#include "platform/linux/UnixSignals.h"
#include "settings/DefaultsStore.h"

#include <QApplication>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool hasDesktopSession() {
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

// The toolkit aborts when it cannot reach the X server; say why instead.
bool canOpenDisplay() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool ok = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return ok;
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
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        if (!qEnvironmentVariableIsSet("DISPLAY")) {
            std::fputs("zelvik: DISPLAY is not set.\nZelvik needs X11; on a Wayland desktop "
                       "it runs through XWayland, which sets DISPLAY.\n",
                       stderr);
            return EXIT_FAILURE;
        }
        if (!canOpenDisplay()) {
            std::fprintf(stderr,
                         "zelvik: cannot open the X display \"%s\".\nZelvik needs a desktop "
                         "session with X11 (or XWayland); start it from within that session.\n",
                         qgetenv("DISPLAY").constData());
            return EXIT_FAILURE;
        }
    }

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
    if (instance.claim() == zelvik::SingleInstance::Claim::taken) {
        QString error;
        if (zelvik::SingleInstance::toggleRunningInstance(&error))
            return EXIT_SUCCESS;
        std::fprintf(stderr, "zelvik: another Zelvik is running but did not answer: %s\n",
                     qPrintable(error));
        return EXIT_FAILURE;
    }

    zelvik::UnixSignals signals_;
    QObject::connect(&signals_, &zelvik::UnixSignals::terminationRequested, &app,
                     [] { QCoreApplication::quit(); });

    zelvik::AppDelegate delegate;
    instance.onToggle = [&delegate] { delegate.model().toggle(); };
    QTimer::singleShot(0, &delegate, [&delegate] { delegate.applicationDidFinishLaunching(); });

    const int code = QApplication::exec();
    zelvik::DefaultsStore::standard().sync();
    return code;
}
