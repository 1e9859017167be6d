#pragma once

#include "monitors/MusicSource.h"

#include <QAbstractListModel>
#include <QPointer>

#include <array>

namespace zelvik {

class MusicMonitor;
class NotchSettings;

// The "Apps" section of the music page: Spotify, then the desktop's other
// player ("Music"), as the music monitor finds them, each with its name, its
// icon and its state ("Running", "Installed", "Not installed"). Follows the
// monitor's players as they start, quit or are installed, and is relabelled
// when the language changes.
class MusicAppRows : public QAbstractListModel {
    Q_OBJECT
    Q_MOC_INCLUDE("settings/NotchSettings.h")
    Q_PROPERTY(
        zelvik::NotchSettings* settings READ settings WRITE setSettings NOTIFY settingsChanged)
public:
    enum Role {
        // "spotify", "appleMusic".
        SourceRole = Qt::UserRole + 1,
        NameRole,
        // The player's icon for an Image; empty when there is none to draw.
        IconSourceRole,
        StateTextRole,
        // There is something to open: the player is installed, or it runs
        // (a player started from elsewhere may have no desktop entry).
        InstalledRole,
        RunningRole,
    };

    // Without a monitor both players show as not installed.
    explicit MusicAppRows(MusicMonitor* music, QObject* parent = nullptr);

    NotchSettings* settings() const;
    void setSettings(NotchSettings* settings);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    static QString stateText(bool installed, bool running);

    // Reads the monitor's players again.
    Q_INVOKABLE void refresh();
    // A click on a row: a running player is brought forward, an installed
    // one started; a player that is not there does nothing.
    Q_INVOKABLE void open(int row);

signals:
    void settingsChanged();

private:
    struct Row {
        MusicSource source = MusicSource::spotify;
        QString name;
        QString iconName;
        bool installed = false;
        bool running = false;

        friend bool operator==(const Row&, const Row&) = default;
    };
    std::array<Row, 2> read() const;

    QPointer<MusicMonitor> m_music;
    QPointer<NotchSettings> m_settings;
    QMetaObject::Connection m_languageConnection;
    std::array<Row, 2> m_rows;
};

} // namespace zelvik
