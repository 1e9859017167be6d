#include "MenuContent.h"

#include "model/NotchModel.h"
#include "settings/AppLanguage.h"
#include "settings/NotchSettings.h"
#include "window/NotchDesktop.h"
#include "window/ScreenOptions.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace zelvik {

MenuContent::MenuContent(NotchModel& model, const NotchDesktop* desktop, QMenu& menu,
                         QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_desktop(desktop)
    , m_menu(&menu) {
    connect(&menu, &QMenu::aboutToShow, this, &MenuContent::rebuild);
    rebuild();
}

void MenuContent::rebuild() {
    if (!m_menu)
        return;
    m_menu->clear();
    for (const QPointer<QMenu>& submenu : std::as_const(m_submenus))
        delete submenu.data();
    m_submenus.clear();
    QPointer<NotchModel> model(&m_model);

    const bool open = m_model.status() == NotchStatus::open;
    m_menu->addAction(open ? localized("Close the notch", "Notch'u kapat")
                           : localized("Open the notch", "Notch'u aç"),
                      this, [model] {
                          if (model)
                              model->toggle();
                      });
    addDisplayMenu();
    addLanguageMenu();

    QAction* settings = m_menu->addAction(localized("Settings…", "Ayarlar…"), this, [model] {
        if (model)
            model->showSettingsWindow();
    });
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    // Until a settings window is wired in, the entry has nothing to open.
    settings->setEnabled(bool(m_model.onShowSettings));

    m_menu->addSeparator();
    QAction* quit = m_menu->addAction(localized("Quit Zelvik", "Zelvik'den çık"), qApp,
                                      &QCoreApplication::quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
}

QMenu* MenuContent::addSubmenu(const QString& title) {
    QMenu* menu = m_menu->addMenu(title);
    m_submenus.append(menu);
    return menu;
}

void MenuContent::addDisplayMenu() {
    QMenu* menu = addSubmenu(localized("Display", "Ekran"));
    auto* group = new QActionGroup(menu);
    NotchSettings* settings = m_model.settings();
    QPointer<NotchSettings> guarded(settings);
    auto add = [&](const QString& title, const NotchDisplayMode& mode) {
        QAction* action = menu->addAction(title);
        action->setCheckable(true);
        action->setChecked(settings->displayMode() == mode);
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [guarded, mode] {
            if (guarded)
                guarded->setDisplayMode(mode);
        });
    };
    add(localized("Built-in display", "Dahili ekran"), NotchDisplayMode::builtIn());
    add(localized("Main display", "Ana ekran"), NotchDisplayMode::primary());
    add(localized("Display with the cursor", "Farenin olduğu ekran"), NotchDisplayMode::mouse());
    menu->addSeparator();
    if (m_desktop)
        for (const ScreenOption& option : screenOptions(m_desktop->screens()))
            add(option.title, option.mode);
}

void MenuContent::addLanguageMenu() {
    QMenu* menu = addSubmenu(localized("Language", "Dil"));
    auto* group = new QActionGroup(menu);
    QPointer<NotchSettings> settings(m_model.settings());
    for (const AppLanguage language : kAllLanguages) {
        QAction* action = menu->addAction(pickerLabel(language));
        action->setCheckable(true);
        action->setChecked(m_model.settings()->language() == language);
        action->setActionGroup(group);
        connect(action, &QAction::triggered, this, [settings, language] {
            if (settings)
                settings->setLanguage(language);
        });
    }
}

} // namespace zelvik
