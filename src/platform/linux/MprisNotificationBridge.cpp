#include "MprisNotificationBridge.h"

#include "dbus_daemon_proxy.h"
#include "dbus_properties_proxy.h"
#include "monitors/MusicLog.h"
#include "mpris_player_proxy.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QRegularExpression>

namespace zelvik {

namespace {

const QString kBusService = QStringLiteral("org.freedesktop.DBus");
const QString kBusPath = QStringLiteral("/org/freedesktop/DBus");
const QString kPlayerState = QStringLiteral("Player State");

// A desktop entry id as a player names it; anything that could reach
// outside the application folders is no id.
QString cleanDesktopEntry(const std::optional<QString>& entry) {
    static const QRegularExpression id(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,200}$"));
    if (!entry || !id.match(*entry).hasMatch())
        return {};
    QString cleaned = *entry;
    if (cleaned.endsWith(u".desktop"))
        cleaned.chop(8);
    return cleaned;
}

// Name, artist and length of a track in the notification's keys and units.
void addTrack(QVariantMap& info, MusicSource source, const mpris::Track& track) {
    info.insert(QStringLiteral("Name"), track.title.value_or(QString()));
    info.insert(QStringLiteral("Artist"), track.artist.value_or(QString()));
    const double milliseconds = track.lengthUs ? double(*track.lengthUs) / 1000.0 : 0.0;
    info.insert(source == MusicSource::spotify ? QStringLiteral("Duration")
                                               : QStringLiteral("Total Time"),
                milliseconds);
}

void addPosition(QVariantMap& info, MusicSource source, qint64 positionUs) {
    // Only Spotify's notification carries the playhead.
    if (source == MusicSource::spotify)
        info.insert(QStringLiteral("Playback Position"),
                    double(std::max<qint64>(0, positionUs)) / 1e6);
}

} // namespace

MprisNotificationBridge::MprisNotificationBridge(
    const QDBusConnection& bus, std::chrono::milliseconds callTimeout,
    std::shared_ptr<mpris::MusicPlayerChoice> musicChoice, QObject* parent)
    : PlayerNotifications(parent)
    , m_bus(bus)
    , m_timeout(callTimeout)
    , m_musicChoice(std::move(musicChoice)) {}

MprisNotificationBridge::~MprisNotificationBridge() = default;

std::unique_ptr<MprisNotificationBridge> MprisNotificationBridge::forSession() {
    return std::make_unique<MprisNotificationBridge>(QDBusConnection::sessionBus(), kCallTimeout,
                                                     mpris::MusicPlayerChoice::session());
}

void MprisNotificationBridge::start(std::function<void()> ready) {
    if (m_daemon || m_ready)
        return;
    m_ready = std::move(ready);
    if (!m_bus.isConnected()) {
        qCDebug(lcMusic) << "no session bus: no players";
        QMetaObject::invokeMethod(this, &MprisNotificationBridge::initialReadDone,
                                  Qt::QueuedConnection);
        return;
    }
    m_daemon = std::make_unique<DBusDaemonProxy>(kBusService, kBusPath, m_bus);
    m_daemon->setTimeout(int(m_timeout.count()));
    connect(m_daemon.get(), &DBusDaemonProxy::NameOwnerChanged, this,
            &MprisNotificationBridge::onNameOwnerChanged);
    auto* watcher = new QDBusPendingCallWatcher(m_daemon->ListNames(), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QStringList> names = *call;
                m_listed = true;
                if (!names.isError()) {
                    for (const QString& name : names.value()) {
                        if (mpris::isPlayerName(name))
                            addPlayer(name, true);
                    }
                }
                if (m_initialReads == 0)
                    initialReadDone();
            });
}

void MprisNotificationBridge::initialReadDone() {
    m_lookedAtBus = true;
    chooseMusic(false);
    if (auto ready = std::exchange(m_ready, nullptr))
        ready();
}

bool MprisNotificationBridge::isRunning(MusicSource source) const {
    return !busName(source).isEmpty();
}

QString MprisNotificationBridge::busName(MusicSource source) const {
    if (source == MusicSource::appleMusic)
        return m_music;
    return m_players.contains(mpris::kSpotifyName) ? mpris::kSpotifyName : QString();
}

QString MprisNotificationBridge::desktopEntry(MusicSource source) const {
    const auto it = m_players.find(busName(source));
    return it == m_players.end() ? QString() : it->second.desktopEntry;
}

QString MprisNotificationBridge::playerName(MusicSource source) const {
    const auto it = m_players.find(busName(source));
    return it == m_players.end() ? QString() : it->second.identity;
}

std::optional<MusicSource> MprisNotificationBridge::sourceOf(const QString& name) const {
    if (name == mpris::kSpotifyName)
        return MusicSource::spotify;
    if (!m_music.isEmpty() && name == m_music)
        return MusicSource::appleMusic;
    return std::nullopt;
}

MprisNotificationBridge::Player* MprisNotificationBridge::find(const QString& name,
                                                               quint64 generation) {
    const auto it = m_players.find(name);
    if (it == m_players.end() || it->second.generation != generation)
        return nullptr;
    return &it->second;
}

void MprisNotificationBridge::onNameOwnerChanged(const QString& name, const QString& oldOwner,
                                                 const QString& newOwner) {
    if (!mpris::isPlayerName(name))
        return;
    if (!oldOwner.isEmpty())
        removePlayer(name);
    if (!newOwner.isEmpty())
        addPlayer(name, false);
}

void MprisNotificationBridge::addPlayer(const QString& name, bool initial) {
    if (m_players.contains(name))
        return;
    Player& player = m_players[name];
    player.generation = ++m_generations;
    player.properties = std::make_unique<DBusPropertiesProxy>(name, mpris::kObjectPath, m_bus);
    player.properties->setTimeout(int(m_timeout.count()));
    player.control = std::make_unique<MprisPlayerProxy>(name, mpris::kObjectPath, m_bus);
    connect(player.properties.get(), &DBusPropertiesProxy::PropertiesChanged, this,
            [this, name](const QString& interface, const QVariantMap& changed, const QStringList&) {
                onPropertiesChanged(name, interface, changed);
            });
    connect(player.control.get(), &MprisPlayerProxy::Seeked, this,
            [this, name](qlonglong position) { onSeeked(name, position); });
    if (initial)
        ++m_initialReads;
    readPlayer(name, player.generation, initial);
    readIdentity(name, player.generation);
    emit playersChanged();
}

void MprisNotificationBridge::readPlayer(const QString& name, quint64 generation, bool initial) {
    Player* player = find(name, generation);
    auto* watcher =
        new QDBusPendingCallWatcher(player->properties->GetAll(mpris::kPlayerInterface), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, name, generation, initial](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QVariantMap> reply = *call;
                if (Player* player = find(name, generation)) {
                    if (reply.isError()) {
                        qCDebug(lcMusic) << name << "told nothing:" << reply.error().message();
                    } else {
                        const QVariantMap& properties = reply.value();
                        player->status =
                            mpris::readString(properties.value(QStringLiteral("PlaybackStatus")));
                        if (player->status)
                            player->status = mpris::cleanText(*player->status);
                        player->track =
                            mpris::readTrack(properties.value(QStringLiteral("Metadata")));
                        player->positionUs =
                            mpris::readInteger(properties.value(QStringLiteral("Position")));
                    }
                    player->known = true;
                    if (!initial) {
                        // A player that just started says what it plays.
                        const QString music = m_music;
                        chooseMusic(true);
                        if (name == mpris::kSpotifyName || (name == m_music && music == m_music))
                            announce(name, player->positionUs);
                    }
                }
                if (initial && --m_initialReads == 0 && m_listed)
                    initialReadDone();
            });
}

void MprisNotificationBridge::readIdentity(const QString& name, quint64 generation) {
    Player* player = find(name, generation);
    auto* watcher =
        new QDBusPendingCallWatcher(player->properties->GetAll(mpris::kRootInterface), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, name, generation](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QVariantMap> reply = *call;
                Player* player = find(name, generation);
                if (!player || reply.isError())
                    return;
                const QVariantMap& properties = reply.value();
                player->desktopEntry = cleanDesktopEntry(
                    mpris::readString(properties.value(QStringLiteral("DesktopEntry"))));
                player->identity =
                    mpris::cleanText(mpris::readString(properties.value(QStringLiteral("Identity")))
                                         .value_or(QString()));
                emit playersChanged();
            });
}

void MprisNotificationBridge::removePlayer(const QString& name) {
    const auto it = m_players.find(name);
    if (it == m_players.end())
        return;
    m_players.erase(it);
    if (name == mpris::kSpotifyName) {
        emit applicationTerminated(bundleIdentifier(MusicSource::spotify));
    } else if (name == m_music) {
        emit applicationTerminated(bundleIdentifier(MusicSource::appleMusic));
        m_music.clear();
        // Another player may be "Music" now; it says what it plays.
        chooseMusic(true);
    }
    emit playersChanged();
}

void MprisNotificationBridge::chooseMusic(bool announceNew) {
    QList<mpris::Candidate> candidates;
    for (const auto& [name, player] : m_players) {
        if (mpris::isMusicCandidate(name))
            candidates << mpris::Candidate{name, player.status == u"Playing"};
    }
    const QString chosen = mpris::chooseMusicPlayer(candidates, m_music);
    // Until the bridge has looked at the whole bus the engine chooses by
    // itself; from then on it follows every choice.
    if (m_musicChoice && m_lookedAtBus)
        m_musicChoice->set(chosen);
    if (chosen == m_music)
        return;
    qCDebug(lcMusic) << "Music is now" << (chosen.isEmpty() ? QStringLiteral("nobody") : chosen);
    m_music = chosen;
    emit playersChanged();
    if (announceNew && !chosen.isEmpty())
        announce(chosen, std::nullopt);
}

void MprisNotificationBridge::announce(const QString& name, std::optional<qint64> freshPositionUs) {
    const auto source = sourceOf(name);
    const auto it = m_players.find(name);
    if (!source || it == m_players.end() || !it->second.known)
        return;
    const Player& player = it->second;
    QVariantMap info;
    if (player.status)
        info.insert(kPlayerState, *player.status);
    if (player.track)
        addTrack(info, *source, *player.track);
    if (freshPositionUs)
        addPosition(info, *source, *freshPositionUs);
    if (!info.isEmpty())
        emit notified(notificationName(*source), info);
}

void MprisNotificationBridge::onPropertiesChanged(const QString& name, const QString& interface,
                                                  const QVariantMap& changed) {
    const auto it = m_players.find(name);
    if (it == m_players.end())
        return;
    Player& player = it->second;
    if (interface == mpris::kRootInterface) {
        bool told = false;
        if (changed.contains(QStringLiteral("DesktopEntry"))) {
            player.desktopEntry =
                cleanDesktopEntry(mpris::readString(changed.value(QStringLiteral("DesktopEntry"))));
            told = true;
        }
        if (const auto identity = mpris::readString(changed.value(QStringLiteral("Identity")))) {
            player.identity = mpris::cleanText(*identity);
            told = true;
        }
        if (told)
            emit playersChanged();
        return;
    }
    if (interface != mpris::kPlayerInterface)
        return;

    // Only what a notification speaks of makes one.
    const QString statusKey = QStringLiteral("PlaybackStatus");
    const QString metadataKey = QStringLiteral("Metadata");
    const QString positionKey = QStringLiteral("Position");
    if (!changed.contains(statusKey) && !changed.contains(metadataKey) &&
        !changed.contains(positionKey))
        return;
    // Values of the wrong type are left out: what was known stays.
    if (const auto status = mpris::readString(changed.value(statusKey)))
        player.status = mpris::cleanText(*status);
    if (changed.contains(metadataKey)) {
        if (auto track = mpris::readTrack(changed.value(metadataKey)))
            player.track = std::move(track);
    }
    std::optional<qint64> positionUs;
    if (changed.contains(positionKey)) {
        positionUs = mpris::readInteger(changed.value(positionKey));
        if (positionUs)
            player.positionUs = positionUs;
    }
    if (!player.known)
        return;

    const QString music = m_music;
    chooseMusic(true);
    // A player that just became "Music" has said everything already.
    if (name == m_music && music != m_music)
        return;
    announce(name, positionUs);
}

void MprisNotificationBridge::onSeeked(const QString& name, qlonglong positionUs) {
    const auto it = m_players.find(name);
    if (it == m_players.end())
        return;
    it->second.positionUs = positionUs;
    announce(name, positionUs);
}

} // namespace zelvik
