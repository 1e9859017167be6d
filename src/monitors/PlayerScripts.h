#pragma once

#include "MusicSource.h"

#include <QString>

namespace zelvik {

// The texts of the scripts the music monitor sends to a player. Every script
// begins with `tell application "<name>"`.
namespace playerScripts {

// `tell application "Spotify"`.
QString beginning(MusicSource source);
// The five-line status script: the player state alone when stopped, else the
// state, track name, artist, duration and position on lines of their own.
QString status(MusicSource source);
// The five lines that follow the beginning of the status script.
QString statusBody();
// `tell application "Music" to return player position`.
QString position(MusicSource source);
// `tell application "Spotify" to <command>`, for "playpause", "next track",
// "previous track" and "set player position to <seconds>".
QString command(MusicSource source, const QString& command);
// "set player position to 12.50": the target with two decimals and a point.
QString setPositionCommand(double seconds);
// Spotify names its cover by URL; Music hands over the picture's bytes.
QString artwork(MusicSource source);
// `tell application "Music" to activate`: brings the running player forward.
QString activate(MusicSource source);

} // namespace playerScripts

} // namespace zelvik
