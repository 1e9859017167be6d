#include "PlayerScript.h"

#include "monitors/PlayerScripts.h"

#include <QLocale>

#include <cmath>

namespace zelvik {

namespace {

std::optional<PlayerScript::Kind> commandKind(MusicSource application, const QString& command) {
    using Kind = PlayerScript::Kind;
    if (command == u"return player position")
        return Kind::position;
    if (command == u"playpause")
        return Kind::playPause;
    if (command == u"next track")
        return Kind::nextTrack;
    if (command == u"previous track")
        return Kind::previousTrack;
    if (command == u"activate")
        return Kind::activate;
    // Each player has its own way to hand over its cover.
    if (application == MusicSource::spotify && command == u"return artwork url of current track")
        return Kind::artworkUrl;
    if (application == MusicSource::appleMusic &&
        command == u"return raw data of artwork 1 of current track")
        return Kind::artworkData;
    return std::nullopt;
}

} // namespace

std::optional<PlayerScript> parsePlayerScript(const QString& source) {
    for (const MusicSource application : kAllMusicSources) {
        const QString beginning = playerScripts::beginning(application);
        if (!source.startsWith(beginning))
            continue;
        const QString rest = source.mid(beginning.size());
        PlayerScript script;
        script.application = application;
        if (rest == QLatin1Char('\n') + playerScripts::statusBody()) {
            script.kind = PlayerScript::Kind::status;
            return script;
        }
        if (!rest.startsWith(u" to "))
            return std::nullopt;
        const QString command = rest.mid(4);
        if (const auto kind = commandKind(application, command)) {
            script.kind = *kind;
            return script;
        }
        const QString setPosition = QStringLiteral("set player position to ");
        if (!command.startsWith(setPosition))
            return std::nullopt;
        bool ok = false;
        const double seconds = QLocale::c().toDouble(command.mid(setPosition.size()), &ok);
        if (!ok || !std::isfinite(seconds))
            return std::nullopt;
        script.kind = PlayerScript::Kind::setPosition;
        script.seconds = seconds;
        return script;
    }
    return std::nullopt;
}

} // namespace zelvik
