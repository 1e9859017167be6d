#pragma once

#include <QObject>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace zelvik {

class MenuContent;
class NotchDesktop;
class NotchModel;

// The tray icon with its menu, present while the showMenuBarIcon setting is on.
class MenuBarExtra : public QObject {
    Q_OBJECT
public:
    MenuBarExtra(NotchModel& model, const NotchDesktop* desktop, QObject* parent = nullptr);
    ~MenuBarExtra() override;

    QSystemTrayIcon& trayIcon() const { return *m_tray; }
    QMenu& menu() const { return *m_menu; }

private:
    void followSetting();

    NotchModel& m_model;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    std::unique_ptr<MenuContent> m_content;
};

} // namespace zelvik
