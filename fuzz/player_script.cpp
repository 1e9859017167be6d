// The script engine's parser: whatever text arrives, it is one of the
// scripts the music monitor writes or nothing, and a script it understood
// reads the same when the monitor writes it again.
#include "FuzzSupport.h"

#include "monitors/PlayerScripts.h"
#include "platform/linux/PlayerScript.h"

#include <cmath>

using namespace zelvik;

namespace {

QString written(const PlayerScript& script) {
    const MusicSource player = script.application;
    switch (script.kind) {
    case PlayerScript::Kind::status:
        return playerScripts::status(player);
    case PlayerScript::Kind::position:
        return playerScripts::position(player);
    case PlayerScript::Kind::playPause:
        return playerScripts::command(player, QStringLiteral("playpause"));
    case PlayerScript::Kind::nextTrack:
        return playerScripts::command(player, QStringLiteral("next track"));
    case PlayerScript::Kind::previousTrack:
        return playerScripts::command(player, QStringLiteral("previous track"));
    case PlayerScript::Kind::setPosition:
        return playerScripts::command(player, playerScripts::setPositionCommand(script.seconds));
    case PlayerScript::Kind::activate:
        return playerScripts::activate(player);
    case PlayerScript::Kind::artworkUrl:
    case PlayerScript::Kind::artworkData:
        return playerScripts::artwork(player);
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    const auto script = parsePlayerScript(text);
    if (!script)
        return 0;
    fuzz::check(text.startsWith(playerScripts::beginning(script->application)),
                "a script is addressed to its player");
    fuzz::check(std::isfinite(script->seconds), "a position is a real number");
    const auto again = parsePlayerScript(written(*script));
    fuzz::check(again.has_value(), "what the monitor writes is understood");
    fuzz::check(again->application == script->application && again->kind == script->kind,
                "and means the same");
    if (script->kind == PlayerScript::Kind::setPosition && std::abs(script->seconds) < 1e12)
        fuzz::check(std::abs(again->seconds - script->seconds) <=
                        0.005 + 1e-9 * std::abs(script->seconds),
                    "the same position to the hundredth");
    return 0;
}
