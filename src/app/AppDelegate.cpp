#include "AppDelegate.h"

#include "MenuBarExtra.h"
#include "model/NotchModel.h"
#include "monitors/AudioDeviceMonitor.h"
#include "monitors/BatteryMonitor.h"
#include "monitors/MusicMonitor.h"
#include "monitors/ScreenshotWatcher.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/DesktopPlayerApplications.h"
#include "platform/linux/FreedesktopNotificationCenter.h"
#include "platform/linux/InotifyScreenshotQuery.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/LogindSleepMonitor.h"
#include "platform/linux/MprisNotificationBridge.h"
#include "platform/linux/NotchWindow.h"
#include "platform/linux/PulseAudioOutputSource.h"
#include "platform/linux/SysfsPowerSourceReader.h"
#include "platform/linux/X11Connection.h"
#include "platform/linux/X11GlobalShortcut.h"
#include "platform/linux/X11StackingWatch.h"
#include "platform/linux/XWaylandSeatPrimer.h"
#include "settings/DefaultsStore.h"
#include "settings/SettingsWindowController.h"
#include "views/NotchDropArea.h"
#include "views/NotchViews.h"
#include "window/HotKeyManager.h"
#include "window/NotchWindowController.h"

namespace zelvik {

AppDelegate::AppDelegate(DesktopSession::Kind session, QObject* parent)
    : QObject(parent)
    , m_session(session)
    , m_notifications(std::make_unique<FreedesktopNotificationCenter>(m_scheduler, m_clock))
    , m_sounds(std::make_unique<CanberraSoundPlayer>())
    , m_model(std::make_unique<NotchModel>(
          NotchModel::Environment{DefaultsStore::standard(), m_scheduler, m_clock, &m_haptics})) {
    m_model->setNotificationCenter(m_notifications.get());
    m_model->setSoundPlayer(m_sounds.get());
    m_model->setShelfStorage(&m_shelfStore);
    m_model->setShelfActions(&m_shelfActions);
    // The system sources behind the battery, audio and screenshot monitors.
    m_model->battery().setReader(std::make_unique<SysfsPowerSourceReader>(m_scheduler));
    m_model->audio().setSource(std::make_unique<PulseAudioOutputSource>(m_scheduler));
    m_model->screenshots().setQueryFactory([] {
        return std::make_unique<InotifyScreenshotQuery>(InotifyScreenshotQuery::defaultFolders());
    });
    // The players over MPRIS; the model owns the monitor.
    m_model->setMusic(new MusicMonitor({m_clock, m_scheduler, ScriptRunner::shared(),
                                        MprisNotificationBridge::forSession(),
                                        std::make_unique<DesktopPlayerApplications>()}));
}

AppDelegate::~AppDelegate() {
    // The windows go before the model they show.
    SettingsWindowController::releaseShared();
    m_menuBar.reset();
    m_seatPrimer.reset();
    m_stackingWatch.reset();
    m_notchController.reset();
}

void AppDelegate::applicationDidFinishLaunching() {
    const bool xwayland = m_session == DesktopSession::Kind::wayland;
    // The shortcut needs its desktop backend before the model applies the
    // hot key setting in start(). Under a Wayland compositor a key grab only
    // fires while an X11 window has the keyboard, so none is attempted.
    m_x11 = std::make_unique<X11Connection>();
    if (!xwayland) {
        m_shortcut = std::make_unique<X11GlobalShortcut>(*m_x11);
        m_model->hotKey().setShortcut(m_shortcut.get());
    }

    m_model->start();

    registerViewTypes();
    // XWayland's bridge for drags from Wayland programs hands out their data
    // only until the drop.
    NotchDropArea::setReadsDataOnEnter(xwayland);
    m_desktop = std::make_unique<LinuxDesktop>(
        *m_x11, xwayland ? LinuxDesktop::PointerSource::ownWindows
                         : LinuxDesktop::PointerSource::wholeDesktop);
    NotchModel& model = *m_model;
    Scheduler& scheduler = m_scheduler;
    const auto display = xwayland ? NotchWindow::Display::xwayland : NotchWindow::Display::x11;
    auto controller =
        std::make_unique<NotchWindowController>(model, *m_desktop, [&model, &scheduler, display] {
            return std::make_unique<NotchWindow>(notchRootViewUrl(), model, scheduler, display);
        });
    controller->show();
    m_notchController = std::move(controller);
    // Windows raised later would otherwise cover the notch.
    m_stackingWatch = std::make_unique<X11StackingWatch>(*m_x11, [this] {
        if (NotchSurface* window = m_notchController->window())
            window->orderFrontRegardless();
    });

    // Drags from Wayland programs reach X11 windows only once XWayland has
    // joined the seat.
    if (xwayland)
        m_seatPrimer = std::make_unique<XWaylandSeatPrimer>(*m_x11, m_scheduler);

    // The settings window and its services are made on the first show only.
    m_model->onShowSettings = [this] {
        SettingsWindowController& settings = SettingsWindowController::shared();
        settings.setDesktop(m_desktop.get());
        settings.show(*m_model);
    };

    m_menuBar = std::make_unique<MenuBarExtra>(*m_model, m_desktop.get());

    // Timers stand still while the machine sleeps; what waits for a moment
    // of wall time (the end of a focus period, its notification) looks
    // again at the wake-up.
    m_sleep = std::make_unique<LogindSleepMonitor>();
    connect(m_sleep.get(), &LogindSleepMonitor::resumed, this,
            [this] { m_scheduler.systemResumed(); });
}

} // namespace zelvik
