#pragma once

#include "settings/PlayerAppDirectory.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class BusDaemonProxy;

namespace zelvik {

// Music players on a Linux desktop: "installed" is a desktop entry in the
// XDG applications folders, "running" is an MPRIS name on the session bus
// (org.mpris.MediaPlayer2.<player>) that has an owner. Spotify is the name
// ...spotify with the entry spotify.desktop (or its Flatpak and Snap ids);
// the other player is the first other MPRIS name, a playing one first, named
// after the desktop entry it reports, else any installed entry of the
// Audio and Player categories.
class MediaPlayerApps final : public QObject, public PlayerAppDirectory {
    Q_OBJECT
public:
    explicit MediaPlayerApps(QDBusConnection bus = QDBusConnection::sessionBus(),
                             QObject* parent = nullptr);
    ~MediaPlayerApps() override;

    PlayerApp spotify() const override;
    PlayerApp otherPlayer() const override;
    bool open(const PlayerApp& app) override;
    void setWatching(bool watching) override;

    static QString spotifyBusName();
    // Every MPRIS name on the bus, sorted; Spotify's included.
    QStringList playerBusNames() const;
    bool isPlaying(const QString& busName) const;
    // The desktop entry id a running player reports (its DesktopEntry
    // property), else the bus name's last part without an instance suffix.
    QString desktopIdOf(const QString& busName) const;
    // The file of a desktop entry id in the XDG applications folders.
    static std::optional<QString> desktopFile(const QString& desktopId);

private:
    PlayerApp describeRunning(const QString& busName) const;
    static PlayerApp describeInstalled(const QString& desktopId);
    std::optional<QString> runningBusName(const PlayerApp& app) const;

    QDBusConnection m_bus;
    // Present while watching.
    std::unique_ptr<BusDaemonProxy> m_daemon;
};

} // namespace zelvik
