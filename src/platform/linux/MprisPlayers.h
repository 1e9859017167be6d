#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace zelvik::mpris {

// Media players announce themselves on the session bus under names that
// begin with this, and serve their interfaces at kObjectPath.
inline const QString kNamePrefix = QStringLiteral("org.mpris.MediaPlayer2.");
inline const QString kSpotifyName = QStringLiteral("org.mpris.MediaPlayer2.spotify");
inline const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
inline const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

bool isPlayerName(const QString& busName);
// Spotify's own name, or one of its instances ("...spotify.instance42").
bool isSpotifyName(const QString& busName);
// Every player but Spotify can be "Music", except playerctld, which only
// mirrors the other players.
bool isMusicCandidate(const QString& busName);

struct Candidate {
    QString busName;
    bool playing = false;
};

// The desktop's "Music" player among the candidates. A playing player wins
// over a paused or stopped one; otherwise the current choice stays while it
// is on the bus, so pausing a player never hands "Music" to another; ties go
// to the first by bus name, so the choice does not depend on the order the
// bus lists them. Empty when there is no candidate.
QString chooseMusicPlayer(const QList<Candidate>& candidates, const QString& current = {});

// Which player is "Music" right now, decided by the notification bridge on
// the main thread and read by the script engine on the runner's thread, so
// that commands go to the player whose state is shown. Unset until the
// bridge has looked at the bus.
class MusicPlayerChoice {
public:
    void set(const QString& busName);
    std::optional<QString> get() const;

    // The choice for the session bus of the environment.
    static std::shared_ptr<MusicPlayerChoice> session();

private:
    mutable QMutex m_mutex;
    std::optional<QString> m_busName;
};

// The track a player describes in its Metadata property. Each field is
// absent when the player left it out or sent it with the wrong type.
struct Track {
    std::optional<QString> title;
    std::optional<QString> artist; // several artists joined by ", "
    std::optional<qint64> lengthUs;
    std::optional<QString> trackId; // an object path
    std::optional<QString> artUrl;
};

// Reads a Metadata value (a{sv}); absent when it is no such map.
std::optional<Track> readTrack(const QVariant& metadata);
std::optional<QString> readString(const QVariant& value);
// A non-negative whole number (any of the bus's integer types).
std::optional<qint64> readCount(const QVariant& value);
// A whole number that may be negative.
std::optional<qint64> readInteger(const QVariant& value);

// Player texts are shown on one line and travel in line-based script
// answers: control characters (line breaks among them) become spaces, and
// texts longer than kMaxTextLength are cut and end in "…".
inline constexpr int kMaxTextLength = 1000;
QString cleanText(const QString& text);

} // namespace zelvik::mpris
