#include "DisplayChoices.h"

#include "AppLanguage.h"
#include "NotchSettings.h"
#include "window/NotchDesktop.h"
#include "window/ScreenOptions.h"

namespace zelvik {

DisplayChoices::DisplayChoices(QObject* parent)
    : QObject(parent) {
    refresh();
}

void DisplayChoices::setDesktop(const NotchDesktop* desktop) {
    m_desktop = desktop;
    refresh();
}

void DisplayChoices::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_settings = settings;
    if (settings) {
        m_connections << connect(settings, &NotchSettings::displayModeChanged, this,
                                 &DisplayChoices::refresh);
        m_connections << connect(settings, &NotchSettings::languageChanged, this,
                                 &DisplayChoices::refresh);
    }
    emit settingsChanged();
    refresh();
}

void DisplayChoices::refresh() {
    QStringList titles{
        localized("Built-in display (with notch)", "Dahili ekran (notch'lu)"),
        localized("Main display (with the menu bar)", "Ana ekran (menü çubuğunun olduğu)"),
        localized("Display with the cursor", "Farenin olduğu ekran")};
    QList<NotchDisplayMode> modes{NotchDisplayMode::builtIn(), NotchDisplayMode::primary(),
                                  NotchDisplayMode::mouse()};
    if (m_desktop) {
        for (const ScreenOption& option : screenOptions(m_desktop->screens())) {
            titles << option.title;
            modes << option.mode;
        }
    }
    int index = -1;
    if (m_settings) {
        const NotchDisplayMode current = m_settings->displayMode();
        index = int(modes.indexOf(current));
        if (index < 0) {
            titles << localized("Disconnected display", "Bağlı olmayan ekran");
            modes << current;
            index = int(modes.size()) - 1;
        }
    }
    m_modes = modes;
    if (titles != m_titles) {
        m_titles = titles;
        emit titlesChanged();
    }
    if (index != m_currentIndex) {
        m_currentIndex = index;
        emit currentIndexChanged();
    }
}

void DisplayChoices::choose(int index) {
    if (!m_settings || index < 0 || index >= m_modes.size())
        return;
    m_settings->setDisplayMode(m_modes.at(index));
}

} // namespace zelvik
