#pragma once

#include "monitors/MusicSource.h"

#include <QString>

#include <optional>

namespace zelvik {

// A player script read back into what it asks for. The engine understands
// exactly the scripts the music monitor writes (see playerScripts) and
// nothing else.
struct PlayerScript {
    enum class Kind {
        status,        // the five-line status script
        position,      // return player position
        playPause,     // playpause
        nextTrack,     // next track
        previousTrack, // previous track
        setPosition,   // set player position to <seconds>
        artworkUrl,    // Spotify: return artwork url of current track
        artworkData,   // Music: return raw data of artwork 1 of current track
        activate,      // activate: bring the player's window forward
    };

    MusicSource application = MusicSource::spotify;
    Kind kind = Kind::status;
    double seconds = 0; // target of setPosition, finite

    friend bool operator==(const PlayerScript&, const PlayerScript&) = default;
};

// Absent for any text that is not one of those scripts, addressed to
// "Spotify" or "Music".
std::optional<PlayerScript> parsePlayerScript(const QString& source);

} // namespace zelvik
