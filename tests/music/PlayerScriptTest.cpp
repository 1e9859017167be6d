// The scripts the monitor writes, and the engine reading exactly those back.
#include "MusicFakes.h"

#include "monitors/PlayerScripts.h"
#include "platform/linux/PlayerScript.h"

using namespace zelvik;
using namespace zelvik::test;

TEST(PlayerScriptTest, TheMonitorsTextsAreTheScriptsThePlayersKnow) {
    using playerScripts::command;
    EXPECT_EQ(playerScripts::status(MusicSource::spotify), statusScript("Spotify"));
    EXPECT_EQ(playerScripts::status(MusicSource::appleMusic), statusScript("Music"));
    EXPECT_EQ(playerScripts::position(MusicSource::appleMusic),
              tellTo("Music", "return player position"));
    EXPECT_EQ(command(MusicSource::spotify, "next track"), tellTo("Spotify", "next track"));
    EXPECT_EQ(playerScripts::artwork(MusicSource::spotify),
              tellTo("Spotify", "return artwork url of current track"));
    EXPECT_EQ(playerScripts::artwork(MusicSource::appleMusic),
              tellTo("Music", "return raw data of artwork 1 of current track"));
    EXPECT_EQ(playerScripts::activate(MusicSource::appleMusic), tellTo("Music", "activate"));
    // Always a point, two decimals, whatever the locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(playerScripts::setPositionCommand(12.5), "set player position to 12.50");
    EXPECT_EQ(playerScripts::setPositionCommand(0.004), "set player position to 0.00");
    QLocale::setDefault(previous);
}

TEST(PlayerScriptTest, TheEngineUnderstandsThoseScriptsAndNothingElse) {
    using Kind = PlayerScript::Kind;
    const auto spotify = [](Kind kind, double seconds = 0) {
        return PlayerScript{MusicSource::spotify, kind, seconds};
    };
    const auto music = [](Kind kind, double seconds = 0) {
        return PlayerScript{MusicSource::appleMusic, kind, seconds};
    };
    const QList<std::pair<QString, std::optional<PlayerScript>>> cases{
        {statusScript("Spotify"), spotify(Kind::status)},
        {statusScript("Music"), music(Kind::status)},
        {tellTo("Music", "return player position"), music(Kind::position)},
        {tellTo("Spotify", "playpause"), spotify(Kind::playPause)},
        {tellTo("Music", "next track"), music(Kind::nextTrack)},
        {tellTo("Spotify", "previous track"), spotify(Kind::previousTrack)},
        {tellTo("Music", "activate"), music(Kind::activate)},
        {tellTo("Spotify", "activate now"), std::nullopt},
        {tellTo("Spotify", "set player position to 12.50"), spotify(Kind::setPosition, 12.5)},
        {tellTo("Music", "set player position to 0.00"), music(Kind::setPosition, 0)},
        {tellTo("Spotify", "return artwork url of current track"), spotify(Kind::artworkUrl)},
        {tellTo("Music", "return raw data of artwork 1 of current track"),
         music(Kind::artworkData)},
        // Each player hands over its cover its own way only.
        {tellTo("Music", "return artwork url of current track"), std::nullopt},
        {tellTo("Spotify", "return raw data of artwork 1 of current track"), std::nullopt},
        {tellTo("Spotify", "set player position to 12,50"), std::nullopt},
        {tellTo("Spotify", "set player position to inf"), std::nullopt},
        {tellTo("Spotify", "set player position to "), std::nullopt},
        {tellTo("Spotify", "quit"), std::nullopt},
        {tellTo("Finder", "playpause"), std::nullopt},
        {tellTo("Musical", "playpause"), std::nullopt},
        {QStringLiteral("tell application \"Spotify\"\nplaypause\nend tell"), std::nullopt},
        {statusScript("Spotify") + "\n", std::nullopt},
        {QString(), std::nullopt},
        {QStringLiteral("do shell script \"rm -rf ~\""), std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(parsePlayerScript(text), expected);
    }
}
