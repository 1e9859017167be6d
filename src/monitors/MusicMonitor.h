#pragma once

#include "MusicSource.h"
#include "PlayerApplications.h"
#include "PlayerNotifications.h"
#include "ScriptRunner.h"
#include "model/Clock.h"
#include "model/MusicStatus.h"

#include <QColor>
#include <QImage>
#include <QMutex>
#include <QString>
#include <QUrl>
#include <QVariantList>

#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace zelvik {

class Scheduler;

// The cover as last published, readable from any thread: QML image providers
// may load from a thread of their own, and must see a new picture before the
// views that bind to artworkUrl ask for it.
class PublishedArtwork {
public:
    void set(const QImage& image) {
        const QMutexLocker lock(&m_mutex);
        m_image = image;
    }
    QImage get() const {
        const QMutexLocker lock(&m_mutex);
        return m_image;
    }

private:
    mutable QMutex m_mutex;
    QImage m_image;
};

// The now-playing state of Spotify and the desktop's other music player
// ("Music"), and the commands that drive them. It hears about changes from
// the players' notifications, reads the full state once at start-up and the
// playhead after every notification, and talks to the players only through
// player scripts run by the script runner. It never starts a player by
// itself. Lives on the main thread; every property signals real changes only.
class MusicMonitor final : public MusicStatus {
    Q_OBJECT
    // The player whose state is shown: "spotify", "appleMusic", or empty.
    Q_PROPERTY(QString source READ sourceName NOTIFY sourceChanged)
    // The track's name; empty when unknown (see hasTitle).
    Q_PROPERTY(QString title READ trackTitle NOTIFY titleChanged)
    // Whether a track is known at all. Without one the views show their
    // empty state.
    Q_PROPERTY(bool hasTitle READ hasTitle NOTIFY titleChanged)
    // The track's artist; empty when unknown.
    Q_PROPERTY(QString artist READ trackArtist NOTIFY artistChanged)
    // The cover picture; a null image when there is none.
    Q_PROPERTY(QImage artwork READ artwork NOTIFY artworkChanged)
    // The cover for QML images: "image://zelvik-artwork/<n>", a new URL for
    // each new picture; empty when there is none. Served by the provider
    // that installMusicImageProviders() adds to a QML engine.
    Q_PROPERTY(QUrl artworkUrl READ artworkUrl NOTIFY artworkChanged)
    Q_PROPERTY(bool hasArtwork READ hasArtwork NOTIFY artworkChanged)
    // The tint taken from the cover; defaultAccent without one.
    Q_PROPERTY(QColor accent READ accent NOTIFY accentChanged)
    Q_PROPERTY(QColor defaultAccent READ defaultAccent CONSTANT)
    // The shown player reports "playing" (flipped at once by togglePlayPause).
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY isPlayingChanged)
    // Track length in seconds; 0 when the player has not told.
    Q_PROPERTY(double duration READ duration NOTIFY durationChanged)
    // Playhead in seconds as it was at positionDate (seconds since
    // 2001-01-01 UTC); currentPosition() carries it forward.
    Q_PROPERTY(double position READ position NOTIFY positionChanged)
    Q_PROPERTY(double positionDate READ positionDate NOTIFY positionDateChanged)
    // A player refused to be controlled; true until a script succeeds.
    Q_PROPERTY(bool needsPermission READ needsPermission NOTIFY needsPermissionChanged)
    // One entry per player, Spotify first, each a map with: "source" (raw
    // value), "name" (for people), "openLabel" (the button text that starts
    // it), "installed", "running" (booleans), "iconName" (theme icon name or
    // file, may be empty) and "appUrl" (its desktop entry file, empty when
    // not installed). Texts follow the interface language at reading time.
    Q_PROPERTY(QVariantList players READ players NOTIFY playersChanged)

public:
    struct Environment {
        Clock& clock;
        Scheduler& scheduler;
        ScriptRunner& runner;
        std::unique_ptr<PlayerNotifications> notifications;
        std::unique_ptr<PlayerApplications> applications;
    };

    explicit MusicMonitor(Environment environment, QObject* parent = nullptr);
    ~MusicMonitor() override;

    // Listens to the players and reads the state of the first suitable one
    // once they are known. Called once.
    void start() override;

    std::optional<MusicSource> source() const { return m_source; }
    QString sourceName() const { return m_source ? rawValue(*m_source) : QString(); }
    const std::optional<QString>& title() const { return m_title; }
    QString trackTitle() const override { return m_title.value_or(QString()); }
    bool hasTitle() const { return m_title.has_value(); }
    const std::optional<QString>& artist() const { return m_artist; }
    QString trackArtist() const override { return m_artist.value_or(QString()); }
    const QImage& artwork() const { return m_artwork; }
    std::shared_ptr<const PublishedArtwork> publishedArtwork() const { return m_published; }
    QUrl artworkUrl() const;
    bool hasArtwork() const { return !m_artwork.isNull(); }
    QColor accent() const { return m_accent; }
    QColor accentColor() const override { return m_accent; }
    static QColor defaultAccent();
    bool isPlaying() const override { return m_isPlaying; }
    double duration() const { return m_duration; }
    double position() const { return m_position; }
    ReferenceSeconds positionDate() const { return m_positionDate; }
    bool needsPermission() const { return m_needsPermission; }
    QVariantList players() const;

    // The playhead at time `at`, carried forward while playing and held at
    // a known duration.
    Q_INVOKABLE double currentPosition(double at) const;
    Q_INVOKABLE double currentPositionNow() const { return currentPosition(m_clock.now()); }

    // Re-reads the shown player's playhead.
    Q_INVOKABLE void refreshPosition() override;
    // Flips isPlaying at once, then tells the player.
    Q_INVOKABLE void togglePlayPause();
    // "playpause", "next track", "previous track", "set player position to
    // N": sent to the shown player if it runs.
    Q_INVOKABLE void send(const QString& command) override;
    // Moves the playhead to `seconds` (kept within the track) at once, then
    // tells the player.
    Q_INVOKABLE void seek(double seconds);
    // Forgets the shown track.
    Q_INVOKABLE void clear();
    // Linux desktops have no per-application automation permission to open:
    // does nothing.
    Q_INVOKABLE void openAutomationSettings() {}
    // Opens the player of a source ("spotify", "appleMusic"): a running one
    // is brought forward (never started a second time), another is started
    // from its desktop entry. False when it neither runs nor is installed,
    // or would not start.
    Q_INVOKABLE bool launch(const QString& source);

    bool isRunning(MusicSource source) const;
    // The player's name for people in the interface language: "Spotify";
    // for Music the desktop player's own name, else "Music" / "Müzik".
    QString playerName(MusicSource source) const;
    // The installed application of a player (its desktop entry).
    std::optional<PlayerApplication> application(MusicSource source) const;
    QUrl appUrl(MusicSource source) const;

    // The identity of the shown track whose artwork was last asked for.
    const std::optional<QString>& artworkKey() const { return m_artworkKey; }

signals:
    void sourceChanged();
    void titleChanged();
    void artistChanged();
    void artworkChanged();
    void accentChanged();
    void isPlayingChanged();
    void durationChanged();
    void positionChanged();
    void positionDateChanged();
    void needsPermissionChanged();
    void playersChanged();

private:
    void handlePlayerInfo(const QVariantMap& info, MusicSource source);
    void onApplicationTerminated(const QString& bundleIdentifier);
    void refreshPlayers();
    void poll(int index);
    bool adoptStatus(MusicSource source, const ScriptOutput& output);
    void noteResult(const ScriptOutput& output);
    void runScript(const QString& script, std::function<void(const ScriptOutput&)> done);

    // Artwork (MusicMonitorArtwork.cpp).
    void refreshArtworkIfNeeded();
    void fetchArtwork(const QString& key);
    void finishArtwork(const QString& key, const QImage& image);
    void applyArtwork(const QImage& image);

    void setSource(std::optional<MusicSource> source);
    void setTitle(const std::optional<QString>& title);
    void setArtist(const std::optional<QString>& artist);
    void setArtwork(const QImage& image);
    void setAccent(const QColor& accent);
    void setIsPlaying(bool playing);
    void setDuration(double duration);
    void setPosition(double position);
    void setPositionDate(ReferenceSeconds date);
    void setNeedsPermission(bool needed);

    Clock& m_clock;
    Scheduler& m_scheduler;
    ScriptRunner& m_runner;
    std::unique_ptr<PlayerNotifications> m_notifications;
    std::unique_ptr<PlayerApplications> m_applications;
    std::unique_ptr<QNetworkAccessManager> m_network;

    std::optional<MusicSource> m_source;
    std::optional<QString> m_title;
    std::optional<QString> m_artist;
    QImage m_artwork;
    quint64 m_artworkSerial = 0;
    std::shared_ptr<PublishedArtwork> m_published = std::make_shared<PublishedArtwork>();
    QColor m_accent;
    bool m_isPlaying = false;
    double m_duration = 0;
    double m_position = 0;
    ReferenceSeconds m_positionDate = 0;
    bool m_needsPermission = false;
    std::optional<QString> m_artworkKey;
    bool m_started = false;
    // The player list last announced, so playersChanged means a change.
    QVariantList m_publishedPlayers;
};

} // namespace zelvik
