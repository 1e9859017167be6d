#pragma once

#include "SettingsEnums.h"
#include "model/Scheduler.h"

#include <QObject>

#include <memory>

class QQmlEngine;
class QQuickView;

namespace zelvik {

class DisplayChoices;
class LaunchAtLogin;
class LoginItemService;
class MusicAppRows;
class NotchDesktop;
class NotchModel;
class SettingsActions;
class SettingsPageList;

// The settings window: one for the whole run, made on first show (nothing
// of it is loaded before), 840 x 600 and centred, titled in the language of
// the moment. Showing it again brings the same window forward and focused,
// on the page asked for; closing it only hides it.
class SettingsWindowController : public QObject {
    Q_OBJECT
public:
    // The platform service behind the launch-at-login row; may be null (the
    // row then shows off). It must outlive the controller. The music page
    // shows the players of the model's music monitor.
    struct Services {
        LoginItemService* loginItem = nullptr;
    };

    explicit SettingsWindowController(Services services, QObject* parent = nullptr);
    ~SettingsWindowController() override;

    // The process-wide instance, made on first use with the desktop's own
    // services (the XDG autostart entry).
    static SettingsWindowController& shared();
    // Closes and frees the shared window, if one was made, before the model
    // it shows goes away at the end of the run.
    static void releaseShared();

    // The screens of the display picker; may be null. Must outlive this.
    void setDesktop(const NotchDesktop* desktop);

    void show(NotchModel& model, SettingsPage page = SettingsPage::general);

    // The window once shown; null before.
    QQuickView* window() const;
    QQmlEngine* engine() const { return m_engine.get(); }
    // Errors of loading the window's QML; empty when it loaded.
    QString loadErrors() const { return m_loadErrors; }
    MusicAppRows* players() const { return m_players; }
    LaunchAtLogin* launchAtLogin() const { return m_launchAtLogin; }

private:
    void create(NotchModel& model);
    void bringForward();
    void updateTitle();

    Services m_services;
    const NotchDesktop* m_desktop = nullptr;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickView> m_window;
    SettingsPageList* m_pages = nullptr;
    DisplayChoices* m_displays = nullptr;
    LaunchAtLogin* m_launchAtLogin = nullptr;
    MusicAppRows* m_players = nullptr;
    SettingsActions* m_actions = nullptr;
    TaskHandle m_reactivation;
    QString m_loadErrors;
};

// Registers the settings window's types with QML (module "Zelvik.Settings");
// done on the first show. Safe to call more than once.
void registerSettingsTypes();

} // namespace zelvik
