#pragma once

#include <QUrl>

class QQmlEngine;

namespace zelvik {

class MusicMonitor;

// Adds the music views' image sources to a QML engine:
//   image://zelvik-artwork/<n>  the monitor's current cover (its artworkUrl)
//   image://zelvik-icon/<name>  a player's icon by theme icon name or file
// (the "iconName" of MusicMonitor.players), at the requested size.
void installMusicImageProviders(QQmlEngine& engine, MusicMonitor& music);

// The image source of a player's icon, by theme icon name or file (the
// "iconName" of MusicMonitor.players), with the name percent-encoded so any
// file name survives; empty when there is no such icon to draw, so that a
// view can draw its own symbol instead of an empty image.
QUrl playerIconUrl(const QString& iconName);

} // namespace zelvik
