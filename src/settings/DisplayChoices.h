#pragma once

#include "SettingsEnums.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

namespace zelvik {

class NotchDesktop;
class NotchSettings;

// The options of the "Show the notch on" picker: the built-in display, the
// main display, the display with the cursor, then one per connected screen
// (named as the tray menu names it). A stored screen that is not connected
// now gets an entry of its own, so the picker still shows what is chosen.
class DisplayChoices : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    Q_PROPERTY(QStringList titles READ titles NOTIFY titlesChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
public:
    explicit DisplayChoices(QObject* parent = nullptr);

    // The desktop may be null: then no screen is listed. It must outlive this.
    void setDesktop(const NotchDesktop* desktop);
    NotchSettings* settings() const { return m_settings; }
    void setSettings(NotchSettings* settings);

    QStringList titles() const { return m_titles; }
    int currentIndex() const { return m_currentIndex; }
    QList<NotchDisplayMode> modes() const { return m_modes; }

    Q_INVOKABLE void choose(int index);
    // Reads the screens again; the page does this each time it shows and
    // before the picker opens.
    Q_INVOKABLE void refresh();

signals:
    void settingsChanged();
    void titlesChanged();
    void currentIndexChanged();

private:
    const NotchDesktop* m_desktop = nullptr;
    QPointer<NotchSettings> m_settings;
    QList<QMetaObject::Connection> m_connections;
    QStringList m_titles;
    QList<NotchDisplayMode> m_modes;
    int m_currentIndex = -1;
};

} // namespace zelvik
