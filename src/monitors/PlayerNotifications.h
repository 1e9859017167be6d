#pragma once

#include "MusicSource.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace zelvik {

// What the music monitor hears from the players without asking: each
// player's broadcast of its state, under the player's notification name
// ("com.spotify.client.PlaybackStateChanged", "com.apple.Music.playerInfo")
// with the keys "Player State" ("Playing", "Paused", "Stopped"), "Name",
// "Artist", "Duration" (Spotify, ms), "Total Time" (Music, ms) and
// "Playback Position" (Spotify, s), each present only when known; a player
// quitting; and which players run now. Everything is delivered on the main
// thread.
class PlayerNotifications : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts listening. `ready` runs once, later on the main thread, when the
    // players running now are known (isRunning answers for them); players
    // already running at start send no notification of their own.
    virtual void start(std::function<void()> ready) = 0;
    virtual bool isRunning(MusicSource source) const = 0;
    // What the running player says about itself: its desktop entry's id
    // (without ".desktop") and its name; empty when unknown or not running.
    virtual QString desktopEntry(MusicSource source) const = 0;
    virtual QString playerName(MusicSource source) const = 0;

signals:
    void notified(const QString& name, const QVariantMap& userInfo);
    // The player with this bundle identifier quit.
    void applicationTerminated(const QString& bundleIdentifier);
    // A player started or quit, or changed what it says about itself.
    void playersChanged();
};

} // namespace zelvik
