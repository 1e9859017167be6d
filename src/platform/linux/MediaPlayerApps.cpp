#include "MediaPlayerApps.h"

#include "DesktopEntry.h"
#include "bus_daemon_proxy.h"
#include "mpris_playback_proxy.h"
#include "mpris_root_proxy.h"

#include <QDBusConnectionInterface>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace zelvik {

namespace {

const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
// Spotify's Debian, Flatpak and Snap entries.
const QStringList kSpotifyIds{QStringLiteral("spotify"), QStringLiteral("com.spotify.Client"),
                              QStringLiteral("spotify_spotify")};
// A player that hangs must not hold up the settings window for long.
constexpr int kCallTimeoutMs = 500;

QString entryName(const DesktopEntry& entry) {
    return entry.value(QStringLiteral("Name")).value_or(QString());
}

// The id of every visible Audio Player entry, in a stable order.
QStringList installedAudioPlayers() {
    QStringList ids;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = QDir(folder).relativeFilePath(path);
            id.chop(int(qstrlen(".desktop")));
            id.replace(u'/', u'-');
            if (ids.contains(id) || kSpotifyIds.contains(id))
                continue;
            const auto entry = DesktopEntry::read(path);
            if (!entry || entry->boolValue(QStringLiteral("NoDisplay"), false) ||
                entry->boolValue(QStringLiteral("Hidden"), false))
                continue;
            const QStringList categories = entry->listValue(QStringLiteral("Categories"));
            if (categories.contains(u"Audio") && categories.contains(u"Player"))
                ids << id;
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace

MediaPlayerApps::MediaPlayerApps(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus)) {}

MediaPlayerApps::~MediaPlayerApps() = default;

void MediaPlayerApps::setWatching(bool watching) {
    if (watching == bool(m_daemon))
        return;
    if (!watching || !m_bus.isConnected()) {
        m_daemon.reset();
        return;
    }
    // A service watcher cannot watch a prefix in this Qt, so every owner
    // change on the bus is heard and the players' names picked out.
    m_daemon = std::make_unique<BusDaemonProxy>(QStringLiteral("org.freedesktop.DBus"),
                                                QStringLiteral("/org/freedesktop/DBus"), m_bus);
    connect(m_daemon.get(), &BusDaemonProxy::NameOwnerChanged, this, [this](const QString& name) {
        if (name.startsWith(kPrefix) && onChange)
            onChange();
    });
}

QString MediaPlayerApps::spotifyBusName() {
    return kPrefix + QStringLiteral("spotify");
}

QStringList MediaPlayerApps::playerBusNames() const {
    QStringList names;
    if (!m_bus.isConnected() || !m_bus.interface())
        return names;
    const QDBusReply<QStringList> reply = m_bus.interface()->registeredServiceNames();
    if (!reply.isValid())
        return names;
    for (const QString& name : reply.value())
        if (name.startsWith(kPrefix))
            names << name;
    std::sort(names.begin(), names.end());
    return names;
}

bool MediaPlayerApps::isPlaying(const QString& busName) const {
    MprisPlaybackProxy player(busName, kObjectPath, m_bus);
    player.setTimeout(kCallTimeoutMs);
    return player.playbackStatus() == u"Playing";
}

QString MediaPlayerApps::desktopIdOf(const QString& busName) const {
    MprisRootProxy root(busName, kObjectPath, m_bus);
    root.setTimeout(kCallTimeoutMs);
    const QString reported = root.desktopEntry();
    // A path or a name with ".desktop" is more than the format asks for;
    // take what is meant.
    QString id = QFileInfo(reported).fileName();
    if (id.endsWith(QStringLiteral(".desktop")))
        id.chop(int(qstrlen(".desktop")));
    if (!id.isEmpty())
        return id;
    QString suffix = busName.mid(kPrefix.size());
    const qsizetype instance = suffix.indexOf(QStringLiteral(".instance"));
    return instance >= 0 ? suffix.left(instance) : suffix;
}

std::optional<QString> MediaPlayerApps::desktopFile(const QString& desktopId) {
    if (desktopId.isEmpty() || desktopId.contains(u'/'))
        return std::nullopt;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                desktopId + QStringLiteral(".desktop"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

PlayerApp MediaPlayerApps::describeInstalled(const QString& desktopId) {
    PlayerApp app;
    const auto file = desktopFile(desktopId);
    const auto entry = file ? DesktopEntry::read(*file) : std::nullopt;
    if (!entry)
        return app;
    app.desktopId = desktopId;
    app.installed = true;
    app.name = entryName(*entry);
    app.iconName = entry->value(QStringLiteral("Icon")).value_or(QString());
    return app;
}

PlayerApp MediaPlayerApps::describeRunning(const QString& busName) const {
    const QString id = desktopIdOf(busName);
    PlayerApp app = describeInstalled(id);
    app.desktopId = id;
    app.running = true;
    // Running proves it is there, with or without an entry of its own.
    app.installed = true;
    if (app.name.isEmpty()) {
        MprisRootProxy root(busName, kObjectPath, m_bus);
        root.setTimeout(kCallTimeoutMs);
        app.name = root.identity();
    }
    return app;
}

PlayerApp MediaPlayerApps::spotify() const {
    if (playerBusNames().contains(spotifyBusName()))
        return describeRunning(spotifyBusName());
    for (const QString& id : kSpotifyIds) {
        const PlayerApp app = describeInstalled(id);
        if (app.installed)
            return app;
    }
    return {};
}

PlayerApp MediaPlayerApps::otherPlayer() const {
    QStringList others = playerBusNames();
    others.removeAll(spotifyBusName());
    if (!others.isEmpty()) {
        const auto playing = std::find_if(others.begin(), others.end(),
                                          [this](const QString& n) { return isPlaying(n); });
        return describeRunning(playing != others.end() ? *playing : others.first());
    }
    for (const QString& id : installedAudioPlayers()) {
        const PlayerApp app = describeInstalled(id);
        if (app.installed)
            return app;
    }
    return {};
}

std::optional<QString> MediaPlayerApps::runningBusName(const PlayerApp& app) const {
    for (const QString& name : playerBusNames())
        if (desktopIdOf(name) == app.desktopId)
            return name;
    return std::nullopt;
}

bool MediaPlayerApps::open(const PlayerApp& app) {
    if (app.desktopId.isEmpty())
        return false;
    if (app.running) {
        const auto name = runningBusName(app);
        if (!name)
            return false;
        MprisRootProxy root(*name, kObjectPath, m_bus);
        root.setTimeout(kCallTimeoutMs);
        if (!root.canRaise())
            return false;
        root.Raise();
        return true;
    }
    const auto file = desktopFile(app.desktopId);
    const auto entry = file ? DesktopEntry::read(*file) : std::nullopt;
    return entry && entry->launch();
}

} // namespace zelvik
