#pragma once

#include "model/Clock.h"
#include "model/HapticFeedback.h"
#include "model/Scheduler.h"
#include "platform/linux/DesktopSession.h"
#include "platform/linux/FileManagerRevealer.h"
#include "platform/linux/KdeConnectSharing.h"
#include "shelf/ShelfActions.h"
#include "shelf/ShelfStore.h"

#include <QObject>

#include <memory>

namespace zelvik {

class LinuxDesktop;
class LogindSleepMonitor;
class MenuBarExtra;
class NotchModel;
class FreedesktopNotificationCenter;
class CanberraSoundPlayer;
class NotchWindowController;
class X11Connection;
class X11GlobalShortcut;
class X11StackingWatch;
class XWaylandSeatPrimer;

// Owns the process-wide pieces: the time sources, the one NotchModel, the
// desktop connection, the window controller and the tray menu.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    // In a Wayland session the notch runs through XWayland: the window
    // shrinks to what it shows, the pointer is seen over our own windows
    // only, and no key grab is attempted (the desktop's own shortcut runs
    // `zelvik --toggle`).
    explicit AppDelegate(DesktopSession::Kind session = DesktopSession::Kind::x11,
                         QObject* parent = nullptr);
    ~AppDelegate() override;

    // Called once the event loop is about to run: starts the model, then
    // builds and shows the notch window, then the tray menu.
    void applicationDidFinishLaunching();

    NotchModel& model() const { return *m_model; }
    NotchWindowController* notchController() const { return m_notchController.get(); }

private:
    DesktopSession::Kind m_session;
    SystemClock m_clock;
    QtScheduler m_scheduler;
    SilentHapticFeedback m_haptics;
    std::unique_ptr<FreedesktopNotificationCenter> m_notifications;
    std::unique_ptr<CanberraSoundPlayer> m_sounds;
    // Declared before the model: copies still running finish (the actions
    // wait for them) before the store goes away.
    ShelfStore m_shelfStore{m_clock};
    KdeConnectSharing m_nearbySharing;
    FileManagerRevealer m_fileRevealer;
    ShelfActions m_shelfActions{m_shelfStore, &m_nearbySharing, &m_fileRevealer};
    std::unique_ptr<NotchModel> m_model;
    std::unique_ptr<X11Connection> m_x11;
    std::unique_ptr<X11GlobalShortcut> m_shortcut;
    std::unique_ptr<LinuxDesktop> m_desktop;
    std::unique_ptr<NotchWindowController> m_notchController;
    std::unique_ptr<X11StackingWatch> m_stackingWatch;
    std::unique_ptr<XWaylandSeatPrimer> m_seatPrimer;
    std::unique_ptr<MenuBarExtra> m_menuBar;
    std::unique_ptr<LogindSleepMonitor> m_sleep;
};

} // namespace zelvik
