#pragma once

#include "MprisPlayers.h"
#include "monitors/PlayerNotifications.h"

#include <QDBusConnection>

#include <chrono>
#include <map>
#include <memory>
#include <optional>

class DBusDaemonProxy;
class DBusPropertiesProxy;
class MprisPlayerProxy;

namespace zelvik {

// Turns what MPRIS players say on the session bus into the players'
// notifications (PlayerNotifications). It follows every player's name on the
// bus and its state. Spotify is org.mpris.MediaPlayer2.spotify; "Music" is
// the other player mpris::chooseMusicPlayer picks, and when that choice
// moves to another player, the new one's whole state is announced as if it
// had just started.
//
// Like the players' own broadcasts, every notification tells the player's
// state and its whole current track (name, artist, length; "" and 0 for what
// the track lacks, so nothing of a previous track stays), whatever part of
// it changed; the playhead only when the player just told it. A state change
// is PropertiesChanged of PlaybackStatus, Metadata or Position, or the
// Seeked signal; values of the wrong type are left out and what was known
// stays. A player leaving the bus is its application quitting.
class MprisNotificationBridge final : public PlayerNotifications {
    Q_OBJECT
public:
    // musicChoice, when given, learns every choice of "Music", for the
    // script engine.
    explicit MprisNotificationBridge(const QDBusConnection& bus,
                                     std::chrono::milliseconds callTimeout,
                                     std::shared_ptr<mpris::MusicPlayerChoice> musicChoice,
                                     QObject* parent = nullptr);
    // On the session bus, telling the system script engine its choices.
    static std::unique_ptr<MprisNotificationBridge> forSession();
    ~MprisNotificationBridge() override;

    static constexpr std::chrono::milliseconds kCallTimeout{5000};

    void start(std::function<void()> ready) override;
    bool isRunning(MusicSource source) const override;
    QString desktopEntry(MusicSource source) const override;
    QString playerName(MusicSource source) const override;

    // The bus name that stands for a source now; empty when none runs.
    QString busName(MusicSource source) const;

private:
    struct Player {
        std::unique_ptr<DBusPropertiesProxy> properties;
        std::unique_ptr<MprisPlayerProxy> control;
        quint64 generation = 0;
        bool known = false; // its properties have been read
        std::optional<QString> status;
        std::optional<mpris::Track> track;
        std::optional<qint64> positionUs;
        QString desktopEntry;
        QString identity;
    };

    void onNameOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void addPlayer(const QString& name, bool initial);
    void readPlayer(const QString& name, quint64 generation, bool initial);
    void readIdentity(const QString& name, quint64 generation);
    void removePlayer(const QString& name);
    void onPropertiesChanged(const QString& name, const QString& interface,
                             const QVariantMap& changed);
    void onSeeked(const QString& name, qlonglong positionUs);
    Player* find(const QString& name, quint64 generation);
    std::optional<MusicSource> sourceOf(const QString& name) const;
    // Picks "Music" again; announces the new one when it changed.
    void chooseMusic(bool announce);
    // Tells what the player plays, if it stands for a source.
    void announce(const QString& name, std::optional<qint64> freshPositionUs);
    void initialReadDone();

    QDBusConnection m_bus;
    std::chrono::milliseconds m_timeout;
    std::shared_ptr<mpris::MusicPlayerChoice> m_musicChoice;
    std::unique_ptr<DBusDaemonProxy> m_daemon;
    std::map<QString, Player> m_players;
    QString m_music;
    quint64 m_generations = 0;
    int m_initialReads = 0;
    bool m_listed = false;
    bool m_lookedAtBus = false;
    std::function<void()> m_ready;
};

} // namespace zelvik
