#include "MusicSource.h"

#include "settings/AppLanguage.h"

namespace zelvik {

QString rawValue(MusicSource source) {
    return source == MusicSource::spotify ? QStringLiteral("spotify")
                                          : QStringLiteral("appleMusic");
}

std::optional<MusicSource> musicSourceFromRaw(QStringView raw) {
    for (const MusicSource source : kAllMusicSources) {
        if (raw == rawValue(source))
            return source;
    }
    return std::nullopt;
}

QString bundleIdentifier(MusicSource source) {
    return source == MusicSource::spotify ? QStringLiteral("com.spotify.client")
                                          : QStringLiteral("com.apple.Music");
}

std::optional<MusicSource> musicSourceFromBundleIdentifier(QStringView identifier) {
    for (const MusicSource source : kAllMusicSources) {
        if (identifier == bundleIdentifier(source))
            return source;
    }
    return std::nullopt;
}

QString appName(MusicSource source) {
    return source == MusicSource::spotify ? QStringLiteral("Spotify") : QStringLiteral("Music");
}

QString notificationName(MusicSource source) {
    return source == MusicSource::spotify
               ? QStringLiteral("com.spotify.client.PlaybackStateChanged")
               : QStringLiteral("com.apple.Music.playerInfo");
}

QString displayName(MusicSource source, const QString& playerName) {
    if (source == MusicSource::spotify)
        return QStringLiteral("Spotify");
    if (!playerName.isEmpty())
        return playerName;
    return localized("Music", "Müzik");
}

QString openLabel(MusicSource source, const QString& playerName) {
    if (source == MusicSource::spotify)
        return localized("Open Spotify", "Spotify'ı aç");
    if (playerName.isEmpty())
        return localized("Open Music", "Müzik'i aç");
    return localized(QStringLiteral("Open %1"), QStringLiteral("%1 uygulamasını aç"))
        .arg(playerName);
}

} // namespace zelvik
