#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QMenu;

namespace zelvik {

class NotchDesktop;
class NotchModel;

// The tray menu: open or close the notch, the display and language choices,
// Settings… and Quit. Its texts and checks are rebuilt each time it opens,
// so they always follow the language and the settings of that moment.
class MenuContent : public QObject {
    Q_OBJECT
public:
    // The desktop (for the list of screens) may be null.
    MenuContent(NotchModel& model, const NotchDesktop* desktop, QMenu& menu,
                QObject* parent = nullptr);

    // Fills the menu afresh; also run before each opening.
    void rebuild();

private:
    void addDisplayMenu();
    void addLanguageMenu();
    // A submenu that goes, with everything in it, at the next rebuild.
    QMenu* addSubmenu(const QString& title);

    NotchModel& m_model;
    const NotchDesktop* m_desktop;
    QPointer<QMenu> m_menu;
    // clear() drops the submenus' entries but not the submenus themselves.
    QList<QPointer<QMenu>> m_submenus;
};

} // namespace zelvik
