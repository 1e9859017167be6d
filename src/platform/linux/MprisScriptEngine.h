#pragma once

#include "MprisPlayers.h"
#include "PlayerScript.h"
#include "monitors/ScriptEngine.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QHash>
#include <QString>

#include <chrono>
#include <memory>
#include <variant>

class DBusDaemonProxy;
class DBusPropertiesProxy;
class MprisPlayerProxy;
class MprisRootProxy;
class QDBusPendingCall;
class QElapsedTimer;

namespace zelvik {

// Carries out player scripts over MPRIS on the session bus. "Spotify" is the
// player named org.mpris.MediaPlayer2.spotify; "Music" is the player the
// notification bridge chose (mpris::MusicPlayerChoice), or, before it has chosen,
// the one mpris::chooseMusicPlayer picks. Results use the units of each
// player's own scripting: Spotify gives track lengths in milliseconds, Music
// in seconds, both give positions in seconds. Errors are the script engine's
// numbers (scriptError). Every bus call gives up after the call timeout.
//
// Built, used and destroyed on the script runner's thread, with a bus
// connection of its own.
class MprisScriptEngine final : public ScriptEngine {
public:
    struct Options {
        // Empty: the session bus of the environment.
        QString busAddress;
        std::chrono::milliseconds callTimeout{5000};
        // Shared with the notification bridge; null: choose by itself.
        std::shared_ptr<mpris::MusicPlayerChoice> musicChoice;
    };

    explicit MprisScriptEngine(Options options);
    ~MprisScriptEngine() override;

    ScriptOutput execute(const QString& source) override;

    // The error number for a failed bus call, given whether it ran for the
    // whole timeout (a player that said nothing) or ended early (a player
    // that left the bus mid-call gets the same error sooner).
    static int errorNumber(const QDBusError& error, bool ranOutOfTime);

private:
    struct Player {
        std::unique_ptr<DBusPropertiesProxy> properties;
        std::unique_ptr<MprisPlayerProxy> control;
        std::unique_ptr<MprisRootProxy> root;
    };
    // A value, or the error number the script fails with.
    template <typename T> using Result = std::variant<T, int>;

    Result<QString> playerFor(MusicSource application);
    Player& player(const QString& busName);
    Result<QVariantMap> allProperties(const QString& busName);
    Result<QVariant> property(const QString& busName, const QString& name,
                              const QString& interface = mpris::kPlayerInterface);
    // Waits for a call sent at `started`; the error number if it failed.
    std::optional<int> failure(QDBusPendingCall& call, const QElapsedTimer& started) const;

    ScriptOutput status(const QString& busName, MusicSource application);
    ScriptOutput position(const QString& busName);
    ScriptOutput setPosition(const QString& busName, double seconds);
    ScriptOutput artworkUrl(const QString& busName);
    ScriptOutput artworkData(const QString& busName);
    ScriptOutput command(const QString& busName, PlayerScript::Kind kind);
    ScriptOutput activate(const QString& busName);

    QString m_connectionName;
    QDBusConnection m_bus;
    std::chrono::milliseconds m_timeout;
    std::shared_ptr<mpris::MusicPlayerChoice> m_musicChoice;
    std::unique_ptr<DBusDaemonProxy> m_daemon;
    QHash<QString, std::shared_ptr<Player>> m_players;
};

} // namespace zelvik
