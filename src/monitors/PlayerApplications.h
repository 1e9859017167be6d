#pragma once

#include "MusicSource.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace zelvik {

// An installed player application: its desktop entry.
struct PlayerApplication {
    QString id;       // desktop entry id, "spotify.desktop"
    QString name;     // its name for people, "Spotify"
    QString iconName; // theme icon name or icon file path; may be empty
    QUrl location;    // the desktop entry file

    friend bool operator==(const PlayerApplication&, const PlayerApplication&) = default;
};

// Where the players are installed, and starting them.
class PlayerApplications : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The installed application of a source. runningEntry is the desktop
    // entry id the running player names for itself (may be empty).
    virtual std::optional<PlayerApplication> find(MusicSource source,
                                                  const QString& runningEntry) const = 0;
    // Starts the application; false when it could not be started.
    virtual bool launch(const PlayerApplication& application) = 0;

signals:
    // Applications were installed or removed.
    void changed();
};

} // namespace zelvik
