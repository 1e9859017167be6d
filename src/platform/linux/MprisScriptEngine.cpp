#include "MprisScriptEngine.h"

#include "MprisPlayers.h"
#include "dbus_daemon_proxy.h"
#include "dbus_properties_proxy.h"
#include "monitors/ArtworkDownload.h"
#include "monitors/MusicLog.h"
#include "mpris_player_proxy.h"
#include "mpris_root_proxy.h"

#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>

namespace zelvik {

namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");

ScriptOutput failed(int code) {
    ScriptOutput output;
    output.errorCode = code;
    return output;
}

ScriptOutput text(const QString& value) {
    ScriptOutput output;
    output.string = value;
    return output;
}

// Seconds as a script answer; never localised.
QString seconds(qint64 microseconds) {
    return QString::number(double(microseconds) / 1e6, 'f', 3);
}

// The bytes of a cover file, when it is a regular file within the size
// limit. A player may name any path: a FIFO or a device would block or never
// end, so only regular files are read, and no more than the limit.
std::optional<QByteArray> readCoverFile(const QString& path) {
    std::error_code error;
    const std::filesystem::path file(path.toStdString());
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(file, error);
    if (error || size > std::uintmax_t(artworkDownload::kMaxBytes))
        return std::nullopt;
    QFile reader(path);
    if (!reader.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = reader.read(artworkDownload::kMaxBytes + 1);
    if (bytes.isEmpty() || bytes.size() > artworkDownload::kMaxBytes)
        return std::nullopt;
    return bytes;
}

} // namespace

MprisScriptEngine::MprisScriptEngine(Options options)
    : m_connectionName([] {
        static std::atomic<int> counter{0};
        return QStringLiteral("zelvik-scripts-%1").arg(counter++);
    }())
    , m_bus(options.busAddress.isEmpty()
                ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName)
                : QDBusConnection::connectToBus(options.busAddress, m_connectionName))
    , m_timeout(options.callTimeout)
    , m_musicChoice(std::move(options.musicChoice)) {
    if (!m_bus.isConnected())
        qCDebug(lcMusic) << "the script engine has no bus:" << m_bus.lastError().message();
}

MprisScriptEngine::~MprisScriptEngine() {
    m_players.clear();
    m_daemon.reset();
    QDBusConnection::disconnectFromBus(m_connectionName);
}

int MprisScriptEngine::errorNumber(const QDBusError& error, bool ranOutOfTime) {
    if (error.name() == u"org.freedesktop.DBus.Error.NameHasNoOwner")
        return scriptError::notRunning;
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
        return scriptError::notRunning;
    case QDBusError::AccessDenied:
        return scriptError::notPermitted;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return ranOutOfTime ? scriptError::timedOut : scriptError::connectionInvalid;
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownProperty:
    case QDBusError::NotSupported:
        return scriptError::notUnderstood;
    default:
        return scriptError::handlerFailed;
    }
}

std::optional<int> MprisScriptEngine::failure(QDBusPendingCall& call,
                                              const QElapsedTimer& started) const {
    call.waitForFinished();
    if (!call.isError())
        return std::nullopt;
    // The bus's timers may fire up to a twentieth early; a player leaving
    // mid-call ends it at any moment, mostly well before.
    const bool ranOutOfTime = started.elapsed() >= m_timeout.count() * 9 / 10;
    qCDebug(lcMusic) << "bus call failed:" << call.error().name() << call.error().message();
    return errorNumber(call.error(), ranOutOfTime);
}

ScriptOutput MprisScriptEngine::execute(const QString& source) {
    const auto script = parsePlayerScript(source);
    if (!script)
        return failed(scriptError::notUnderstood);
    const Result<QString> target = playerFor(script->application);
    if (const int* error = std::get_if<int>(&target))
        return failed(*error);
    const QString& busName = std::get<QString>(target);
    switch (script->kind) {
    case PlayerScript::Kind::status:
        return status(busName, script->application);
    case PlayerScript::Kind::position:
        return position(busName);
    case PlayerScript::Kind::setPosition:
        return setPosition(busName, script->seconds);
    case PlayerScript::Kind::artworkUrl:
        return artworkUrl(busName);
    case PlayerScript::Kind::artworkData:
        return artworkData(busName);
    case PlayerScript::Kind::playPause:
    case PlayerScript::Kind::nextTrack:
    case PlayerScript::Kind::previousTrack:
        return command(busName, script->kind);
    case PlayerScript::Kind::activate:
        return activate(busName);
    }
    return failed(scriptError::notUnderstood);
}

MprisScriptEngine::Result<QString> MprisScriptEngine::playerFor(MusicSource application) {
    if (!m_bus.isConnected())
        return scriptError::notRunning;
    if (application == MusicSource::spotify)
        return mpris::kSpotifyName;
    if (m_musicChoice) {
        if (const auto chosen = m_musicChoice->get()) {
            if (chosen->isEmpty())
                return scriptError::notRunning;
            return *chosen;
        }
    }

    if (!m_daemon) {
        m_daemon = std::make_unique<DBusDaemonProxy>(kBusService, kBusPath, m_bus);
        m_daemon->setTimeout(int(m_timeout.count()));
    }
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<QStringList> names = m_daemon->ListNames();
    if (const auto error = failure(names, started))
        return *error;
    QList<mpris::Candidate> candidates;
    for (const QString& name : names.value()) {
        if (mpris::isMusicCandidate(name))
            candidates << mpris::Candidate{name, false};
    }
    // Players that left take their proxies with them.
    for (auto it = m_players.begin(); it != m_players.end();) {
        const bool listed = std::any_of(candidates.cbegin(), candidates.cend(),
                                        [&](const auto& c) { return c.busName == it.key(); });
        it = listed || mpris::isSpotifyName(it.key()) ? std::next(it) : m_players.erase(it);
    }
    if (candidates.isEmpty())
        return scriptError::notRunning;
    if (candidates.size() > 1) {
        for (mpris::Candidate& candidate : candidates) {
            const Result<QVariant> status =
                property(candidate.busName, QStringLiteral("PlaybackStatus"));
            const QVariant* value = std::get_if<QVariant>(&status);
            candidate.playing = value && mpris::readString(*value) == u"Playing";
        }
    }
    return mpris::chooseMusicPlayer(candidates);
}

MprisScriptEngine::Player& MprisScriptEngine::player(const QString& busName) {
    // Players that come and go under names of their own ("...instance42")
    // must not pile up proxies.
    if (m_players.size() > 16 && !m_players.contains(busName))
        m_players.clear();
    std::shared_ptr<Player>& entry = m_players[busName];
    if (!entry) {
        entry = std::make_shared<Player>();
        entry->properties =
            std::make_unique<DBusPropertiesProxy>(busName, mpris::kObjectPath, m_bus);
        entry->properties->setTimeout(int(m_timeout.count()));
        entry->control = std::make_unique<MprisPlayerProxy>(busName, mpris::kObjectPath, m_bus);
        entry->control->setTimeout(int(m_timeout.count()));
        entry->root = std::make_unique<MprisRootProxy>(busName, mpris::kObjectPath, m_bus);
        entry->root->setTimeout(int(m_timeout.count()));
    }
    return *entry;
}

MprisScriptEngine::Result<QVariantMap> MprisScriptEngine::allProperties(const QString& busName) {
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<QVariantMap> reply =
        player(busName).properties->GetAll(mpris::kPlayerInterface);
    if (const auto error = failure(reply, started))
        return *error;
    return reply.value();
}

MprisScriptEngine::Result<QVariant>
MprisScriptEngine::property(const QString& busName, const QString& name, const QString& interface) {
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<QDBusVariant> reply = player(busName).properties->Get(interface, name);
    if (const auto error = failure(reply, started))
        return *error;
    return reply.value().variant();
}

ScriptOutput MprisScriptEngine::status(const QString& busName, MusicSource application) {
    const Result<QVariantMap> all = allProperties(busName);
    if (const int* error = std::get_if<int>(&all))
        return failed(*error);
    const QVariantMap& properties = std::get<QVariantMap>(all);

    // A player that does not say what it does counts as stopped; any state
    // other than the three the scripts know counts as paused.
    const QString reported =
        mpris::readString(properties.value(QStringLiteral("PlaybackStatus"))).value_or(QString());
    if (reported.isEmpty() || reported == u"Stopped")
        return text(QStringLiteral("stopped"));
    const QString state =
        reported == u"Playing" ? QStringLiteral("playing") : QStringLiteral("paused");

    const mpris::Track track =
        mpris::readTrack(properties.value(QStringLiteral("Metadata"))).value_or(mpris::Track{});
    std::optional<qint64> positionUs =
        mpris::readInteger(properties.value(QStringLiteral("Position")));
    if (!positionUs && !properties.contains(QStringLiteral("Position"))) {
        const Result<QVariant> asked = property(busName, QStringLiteral("Position"));
        if (const QVariant* value = std::get_if<QVariant>(&asked))
            positionUs = mpris::readInteger(*value);
    }
    const qint64 lengthUs = track.lengthUs.value_or(0);
    const QString duration = application == MusicSource::spotify
                                 ? QString::number(std::llround(double(lengthUs) / 1000.0))
                                 : seconds(lengthUs);
    return text(QStringList{state, track.title.value_or(QString()),
                            track.artist.value_or(QString()), duration,
                            seconds(std::max<qint64>(0, positionUs.value_or(0)))}
                    .join(QLatin1Char('\n')));
}

ScriptOutput MprisScriptEngine::position(const QString& busName) {
    const Result<QVariant> reply = property(busName, QStringLiteral("Position"));
    if (const int* error = std::get_if<int>(&reply))
        return failed(*error);
    const auto positionUs = mpris::readInteger(std::get<QVariant>(reply));
    if (!positionUs)
        return failed(scriptError::cannotGet);
    return text(seconds(std::max<qint64>(0, *positionUs)));
}

ScriptOutput MprisScriptEngine::setPosition(const QString& busName, double target) {
    const Result<QVariant> metadata = property(busName, QStringLiteral("Metadata"));
    if (const int* error = std::get_if<int>(&metadata))
        return failed(*error);
    const auto track = mpris::readTrack(std::get<QVariant>(metadata));
    // The player moves only the playhead of the track it names.
    if (!track || !track->trackId)
        return failed(scriptError::cannotGet);
    const double clamped = std::clamp(target, 0.0, 1.0e12);
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<> reply = player(busName).control->SetPosition(
        QDBusObjectPath(*track->trackId), qlonglong(std::llround(clamped * 1e6)));
    if (const auto error = failure(reply, started))
        return failed(*error);
    return {};
}

ScriptOutput MprisScriptEngine::artworkUrl(const QString& busName) {
    const Result<QVariant> metadata = property(busName, QStringLiteral("Metadata"));
    if (const int* error = std::get_if<int>(&metadata))
        return failed(*error);
    const auto track = mpris::readTrack(std::get<QVariant>(metadata));
    return text(track ? track->artUrl.value_or(QString()) : QString());
}

ScriptOutput MprisScriptEngine::artworkData(const QString& busName) {
    const Result<QVariant> metadata = property(busName, QStringLiteral("Metadata"));
    if (const int* error = std::get_if<int>(&metadata))
        return failed(*error);
    const auto track = mpris::readTrack(std::get<QVariant>(metadata));
    if (!track || !track->artUrl)
        return failed(scriptError::cannotGet);
    const QUrl url(*track->artUrl, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile())
        return failed(scriptError::cannotGet);
    auto bytes = readCoverFile(url.toLocalFile());
    if (!bytes)
        return failed(scriptError::cannotGet);
    ScriptOutput output;
    output.data = std::move(*bytes);
    return output;
}

ScriptOutput MprisScriptEngine::command(const QString& busName, PlayerScript::Kind kind) {
    MprisPlayerProxy& control = *player(busName).control;
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<> reply = kind == PlayerScript::Kind::playPause   ? control.PlayPause()
                                : kind == PlayerScript::Kind::nextTrack ? control.Next()
                                                                        : control.Previous();
    if (const auto error = failure(reply, started))
        return failed(*error);
    return {};
}

ScriptOutput MprisScriptEngine::activate(const QString& busName) {
    const Result<QVariant> canRaise =
        property(busName, QStringLiteral("CanRaise"), mpris::kRootInterface);
    if (const int* error = std::get_if<int>(&canRaise))
        return failed(*error);
    // A player without windows to raise (mpv playing headless) stays as it
    // is; starting it again instead would open a second player.
    const QVariant& value = std::get<QVariant>(canRaise);
    if (value.typeId() != QMetaType::Bool || !value.toBool())
        return failed(scriptError::handlerFailed);
    QElapsedTimer started;
    started.start();
    QDBusPendingReply<> reply = player(busName).root->Raise();
    if (const auto error = failure(reply, started))
        return failed(*error);
    return {};
}

std::unique_ptr<ScriptEngine> makeSystemScriptEngine() {
    return std::make_unique<MprisScriptEngine>(MprisScriptEngine::Options{
        QString(), std::chrono::milliseconds(5000), mpris::MusicPlayerChoice::session()});
}

} // namespace zelvik
