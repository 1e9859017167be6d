#pragma once

#include <QString>

#include <array>
#include <optional>

namespace zelvik {

// The two players Zelvik shows and drives, in the order the start-up poll
// asks them: Spotify, then the desktop's other music player ("Music").
enum class MusicSource { spotify, appleMusic };

inline constexpr std::array kAllMusicSources{MusicSource::spotify, MusicSource::appleMusic};

// "spotify", "appleMusic".
QString rawValue(MusicSource source);
std::optional<MusicSource> musicSourceFromRaw(QStringView raw);
// "com.spotify.client", "com.apple.Music": the identity a player's
// notifications and its quitting are reported under.
QString bundleIdentifier(MusicSource source);
std::optional<MusicSource> musicSourceFromBundleIdentifier(QStringView identifier);
// The application name player scripts address: "Spotify", "Music".
QString appName(MusicSource source);
// The name of the notification a player broadcasts when its state changes:
// "com.spotify.client.PlaybackStateChanged", "com.apple.Music.playerInfo".
QString notificationName(MusicSource source);

// The player's name for people, in the interface language: "Spotify"; for
// Music the desktop player's own name when known, else "Music" / "Müzik".
QString displayName(MusicSource source, const QString& playerName = {});
// The label of the button that starts the player: "Open Spotify" /
// "Spotify'ı aç"; "Open Music" / "Müzik'i aç", or with the desktop player's
// own name "Open <name>" / "<name> uygulamasını aç" (the Turkish suffix
// would otherwise have to follow the name's vowels).
QString openLabel(MusicSource source, const QString& playerName = {});

} // namespace zelvik
