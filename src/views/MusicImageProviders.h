#pragma once

class QQmlEngine;

namespace zelvik {

class MusicMonitor;

// Adds the music views' image sources to a QML engine:
//   image://zelvik-artwork/<n>  the monitor's current cover (its artworkUrl)
//   image://zelvik-icon/<name>  a player's icon by theme icon name or file
// (the "iconName" of MusicMonitor.players), at the requested size.
void installMusicImageProviders(QQmlEngine& engine, MusicMonitor& music);

} // namespace zelvik
