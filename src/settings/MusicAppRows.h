#pragma once

#include "PlayerAppDirectory.h"

#include <QAbstractListModel>
#include <QPointer>

#include <array>

namespace zelvik {

class NotchSettings;

// The "Apps" section of the music page: Spotify, then the desktop's other
// player, each with its name, icon and state ("Running", "Installed",
// "Not installed"), and whether player control was refused. Read again
// when players start or quit and when the page shows; relabelled on a
// language change.
class MusicAppRows : public QAbstractListModel {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
    // True while the music monitor reports that player control was refused.
    Q_PROPERTY(bool needsPermission READ needsPermission WRITE setNeedsPermission NOTIFY
                   needsPermissionChanged)
    // While the rows are on screen, players starting or quitting show at once.
    Q_PROPERTY(bool watching READ watching WRITE setWatching NOTIFY watchingChanged)
public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        // The icon for image://appicon/, when the desktop has one.
        IconNameRole,
        StateTextRole,
        InstalledRole,
        RunningRole,
    };

    // The directory may be null (nothing is found); it must outlive this.
    explicit MusicAppRows(PlayerAppDirectory* directory, QObject* parent = nullptr);
    ~MusicAppRows() override;

    NotchSettings* settings() const { return m_settings; }
    void setSettings(NotchSettings* settings);
    bool needsPermission() const { return m_needsPermission; }
    void setNeedsPermission(bool value);
    bool watching() const { return m_watching; }
    void setWatching(bool watching);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    PlayerApp app(int row) const;
    static QString stateText(const PlayerApp& app);

    Q_INVOKABLE void refresh();
    // A click on a row: an installed player is started, a running one
    // brought forward; a player that is not installed does nothing.
    Q_INVOKABLE void open(int row);

signals:
    void settingsChanged();
    void needsPermissionChanged();
    void watchingChanged();

private:
    QString displayName(int row) const;

    PlayerAppDirectory* m_directory;
    QPointer<NotchSettings> m_settings;
    QMetaObject::Connection m_languageConnection;
    std::array<PlayerApp, 2> m_apps;
    bool m_needsPermission = false;
    bool m_watching = false;
};

} // namespace zelvik
