// The music monitor's rules, with the players' notifications sent by the
// test and their scripts answered from a table: what is shown, what is
// sent, and when.
#include "MusicFakes.h"

#include "monitors/AccentColor.h"

#include <cmath>

using namespace zelvik;
using namespace zelvik::test;

namespace {

const QString kSpotifyPosition = tellTo("Spotify", "return player position");
const QString kMusicPosition = tellTo("Music", "return player position");
const QString kSpotifyArtwork = tellTo("Spotify", "return artwork url of current track");
const QString kMusicArtwork = tellTo("Music", "return raw data of artwork 1 of current track");

QVariantMap info(std::initializer_list<std::pair<const QString, QVariant>> values) {
    return QVariantMap(values);
}

ScriptOutput dataOutput(const QByteArray& bytes) {
    ScriptOutput output;
    output.data = bytes;
    return output;
}

bool hasScriptTo(const QStringList& scripts, const char* application) {
    const QString beginning = QStringLiteral("tell application \"%1\"").arg(application);
    return std::any_of(scripts.cbegin(), scripts.cend(),
                       [&](const QString& s) { return s.startsWith(beginning); });
}

} // namespace

TEST(MusicMonitorPollTest, StartUpAdoptsTheFirstSuitablePlayerInSourceOrder) {
    struct Case {
        const char* name;
        std::optional<QString> spotify; // status answer; absent: not running
        std::optional<QString> music;
        std::optional<MusicSource> source;
        QString title;
        bool playing;
        double duration;
        double position;
        QStringList titlesSeen;
        bool musicAsked;
    };
    const QList<Case> cases{
        {"a paused Spotify is shown until a playing Music takes over",
         QStringLiteral("paused\nSlow\nSpot\n215000\n12,5"),
         QStringLiteral("playing\nOne\nAda\n180.5\n3.25"),
         MusicSource::appleMusic,
         "One",
         true,
         180.5,
         3.25,
         {"Slow", "One"},
         true},
        {"a playing Spotify ends the poll: Music is never asked",
         QStringLiteral("playing\nSo What\nMiles\n215000\n1"),
         QStringLiteral("playing\nOne\nAda\n180\n3"),
         MusicSource::spotify,
         "So What",
         true,
         215,
         1,
         {"So What"},
         false},
        {"Spotify's milliseconds and a decimal comma",
         QStringLiteral("paused\nSlow\nSpot\n215000\n12,5"),
         std::nullopt,
         MusicSource::spotify,
         "Slow",
         false,
         215,
         12.5,
         {"Slow"},
         false},
        {"a stopped Spotify is skipped and a paused Music shown",
         QStringLiteral("stopped"),
         QStringLiteral("paused\nOne\nAda\n 215 \n0"),
         MusicSource::appleMusic,
         "One",
         false,
         215,
         0,
         {"One"},
         true},
        {"a second paused player does not replace the first",
         QStringLiteral("paused\nSlow\nSpot\n215000\n12,5"),
         QStringLiteral("paused\nOne\nAda\n180\n3"),
         MusicSource::spotify,
         "Slow",
         false,
         215,
         12.5,
         {"Slow"},
         true},
        {"short answers and bad numbers say nothing",
         QStringLiteral("playing\nOnly\nthree"),
         QStringLiteral("playing\nOne\nAda\nlong\nnan"),
         MusicSource::appleMusic,
         "One",
         true,
         0,
         0,
         {"One"},
         true},
        {"nothing runs, nothing is asked",
         std::nullopt,
         std::nullopt,
         std::nullopt,
         "",
         false,
         0,
         0,
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorRig rig;
        if (c.spotify) {
            rig.notifications->running.insert(MusicSource::spotify);
            rig.answer(statusScript("Spotify"), textOutput(*c.spotify));
        }
        if (c.music) {
            rig.notifications->running.insert(MusicSource::appleMusic);
            rig.answer(statusScript("Music"), textOutput(*c.music));
        }
        QStringList titles;
        QObject::connect(&rig.monitor, &MusicMonitor::titleChanged,
                         [&] { titles << rig.monitor.trackTitle(); });
        ASSERT_TRUE(rig.start());

        EXPECT_EQ(rig.monitor.source(), c.source);
        EXPECT_EQ(rig.monitor.trackTitle(), c.title);
        EXPECT_EQ(rig.monitor.isPlaying(), c.playing);
        EXPECT_DOUBLE_EQ(rig.monitor.duration(), c.duration);
        EXPECT_DOUBLE_EQ(rig.monitor.position(), c.position);
        EXPECT_EQ(titles, c.titlesSeen);
        EXPECT_EQ(hasScriptTo(rig.scripts(), "Music"), c.musicAsked);
        EXPECT_EQ(hasScriptTo(rig.scripts(), "Spotify"), c.spotify.has_value());
        if (c.spotify) {
            EXPECT_EQ(rig.scripts().first(), statusScript("Spotify"));
        }
    }
}

namespace {

class MusicMonitorTest : public MonitorFixture {
protected:
    int trackChanges = 0;

    void SetUp() override {
        monitor.onTrackChange = [this] { ++trackChanges; };
        notifications->running = {MusicSource::spotify, MusicSource::appleMusic};
        ASSERT_TRUE(start()); // no answers: the poll adopts nothing
    }
    void post(MusicSource source, const QVariantMap& values) {
        notifications->post(source, values);
        ASSERT_TRUE(settle());
    }
    void showSpotify(const QString& title = QStringLiteral("So What")) {
        post(MusicSource::spotify, info({{"Player State", "Playing"},
                                         {"Name", title},
                                         {"Artist", "Miles Davis"},
                                         {"Duration", 215000.0}}));
    }
};

} // namespace

TEST_F(MusicMonitorTest, NotificationsUpdateTheShownPlayerAndPausedOnesNeverTakeOver) {
    post(MusicSource::spotify, info({{"Player State", "Playing"},
                                     {"Name", "So What"},
                                     {"Artist", "Miles Davis"},
                                     {"Duration", 215000.0},
                                     {"Playback Position", 12.0}}));
    EXPECT_EQ(monitor.source(), MusicSource::spotify);
    EXPECT_EQ(monitor.trackTitle(), "So What");
    EXPECT_EQ(monitor.trackArtist(), "Miles Davis");
    EXPECT_TRUE(monitor.isPlaying());
    EXPECT_DOUBLE_EQ(monitor.duration(), 215);
    EXPECT_DOUBLE_EQ(monitor.position(), 12);
    EXPECT_DOUBLE_EQ(monitor.positionDate(), time.now());
    EXPECT_EQ(trackChanges, 1);
    // Every notification re-reads the playhead of the shown player.
    EXPECT_TRUE(scripts().contains(kSpotifyPosition));

    // Music paused, or stopped, while Spotify plays: nothing changes.
    post(MusicSource::appleMusic, info({{"Player State", "Paused"}, {"Name", "Other"}}));
    post(MusicSource::appleMusic, info({{"Player State", "Stopped"}}));
    post(MusicSource::appleMusic, info({{"Player State", "fast forwarding"}}));
    EXPECT_EQ(monitor.source(), MusicSource::spotify);
    EXPECT_EQ(monitor.trackTitle(), "So What");
    EXPECT_TRUE(monitor.isPlaying());

    // The same song again is no track change; missing or mistyped keys
    // leave what was known.
    post(MusicSource::spotify,
         info({{"Player State", "Playing"}, {"Name", 5}, {"Duration", QStringLiteral("9")}}));
    EXPECT_EQ(monitor.trackTitle(), "So What");
    EXPECT_DOUBLE_EQ(monitor.duration(), 215);
    EXPECT_EQ(trackChanges, 1);

    // A playing Music takes over; its "Total Time" is milliseconds too, and
    // it carries no playhead.
    post(MusicSource::appleMusic, info({{"Player State", "PLAYING"},
                                        {"Name", "One"},
                                        {"Total Time", 215000},
                                        {"Playback Position", 99.0}}));
    EXPECT_EQ(monitor.source(), MusicSource::appleMusic);
    EXPECT_EQ(monitor.trackTitle(), "One");
    EXPECT_EQ(monitor.trackArtist(), "Miles Davis"); // not carried: kept
    EXPECT_DOUBLE_EQ(monitor.duration(), 215);
    EXPECT_DOUBLE_EQ(monitor.position(), 12);
    EXPECT_EQ(trackChanges, 2);
    EXPECT_TRUE(scripts().contains(kMusicPosition));

    // A title that first comes paused is no track change when it starts.
    post(MusicSource::appleMusic, info({{"Player State", "paused"}, {"Name", "Two"}}));
    EXPECT_FALSE(monitor.isPlaying());
    post(MusicSource::appleMusic, info({{"Player State", "Playing"}}));
    EXPECT_TRUE(monitor.isPlaying());
    EXPECT_EQ(monitor.trackTitle(), "Two");
    EXPECT_EQ(trackChanges, 2);

    // Now Spotify's stop is another player's: nothing. Music's own clears.
    post(MusicSource::spotify, info({{"Player State", "Stopped"}}));
    EXPECT_EQ(monitor.trackTitle(), "Two");
    post(MusicSource::appleMusic, info({{"Player State", "STOPPED"}}));
    EXPECT_FALSE(monitor.source());
    EXPECT_FALSE(monitor.hasTitle());
    EXPECT_FALSE(monitor.isPlaying());
    EXPECT_DOUBLE_EQ(monitor.duration(), 0);
    EXPECT_EQ(monitor.accent(), kDefaultAccent);
}

TEST_F(MusicMonitorTest, PositionMovesOnWhilePlayingUpToTheEndAndHoldsWhilePaused) {
    post(MusicSource::spotify, info({{"Player State", "Playing"},
                                     {"Name", "So What"},
                                     {"Duration", 215000.0},
                                     {"Playback Position", 200.0}}));
    const double start = time.now();
    EXPECT_DOUBLE_EQ(monitor.currentPosition(start + 10), 210);
    EXPECT_DOUBLE_EQ(monitor.currentPosition(start + 30), 215);

    // The playhead answer of a refresh uses a decimal comma.
    answer(kSpotifyPosition, textOutput(QStringLiteral(" 12,5\n")));
    time.advanceSeconds(4);
    monitor.refreshPosition();
    ASSERT_TRUE(settle());
    EXPECT_DOUBLE_EQ(monitor.position(), 12.5);
    EXPECT_DOUBLE_EQ(monitor.positionDate(), start + 4);

    time.advanceSeconds(5);
    monitor.togglePlayPause(); // pauses, keeping where it got to
    ASSERT_TRUE(settle());
    EXPECT_FALSE(monitor.isPlaying());
    EXPECT_DOUBLE_EQ(monitor.position(), 17.5);
    EXPECT_DOUBLE_EQ(monitor.currentPosition(start + 100), 17.5);
    EXPECT_EQ(scripts().last(), tellTo("Spotify", "playpause"));
    monitor.togglePlayPause();
    EXPECT_TRUE(monitor.isPlaying());
}

TEST_F(MusicMonitorTest, SeekKeepsTheTargetWithinTheTrackAndSendsItWithTwoDecimals) {
    showSpotify();
    struct Case {
        double duration;
        double target;
        double lands;
        const char* command;
    };
    const Case cases[]{
        {215, 12.5, 12.5, "set player position to 12.50"},
        {215, 1000, 215, "set player position to 215.00"},
        {215, -4, 0, "set player position to 0.00"},
        {215, std::nan(""), 0, "set player position to 0.00"},
        {0, 30, 0, "set player position to 0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        post(MusicSource::spotify,
             info({{"Player State", "Playing"}, {"Duration", c.duration * 1000}}));
        forgetScripts();
        monitor.seek(c.target);
        EXPECT_DOUBLE_EQ(monitor.position(), c.lands);
        ASSERT_TRUE(settle());
        EXPECT_EQ(scripts(), QStringList{tellTo("Spotify", c.command)});
    }
}

TEST_F(MusicMonitorTest, RefusedScriptsAskForPermissionUntilOneSucceeds) {
    showSpotify();
    EXPECT_FALSE(monitor.needsPermission());
    answer(tellTo("Spotify", "next track"), errorOutput(-1743));
    answer(tellTo("Spotify", "previous track"), errorOutput(-1712));
    answer(kSpotifyPosition, errorOutput(-1712));
    answer(kSpotifyArtwork, textOutput(QString()));

    monitor.send(QStringLiteral("next track"));
    ASSERT_TRUE(settle());
    EXPECT_TRUE(monitor.needsPermission());
    // Other failures, and artwork scripts, say nothing about permission.
    monitor.send(QStringLiteral("previous track"));
    showSpotify(QStringLiteral("Blue in Green"));
    EXPECT_TRUE(scripts().contains(kSpotifyArtwork));
    EXPECT_TRUE(monitor.needsPermission());

    monitor.send(QStringLiteral("playpause"));
    ASSERT_TRUE(settle());
    EXPECT_FALSE(monitor.needsPermission());

    monitor.clear();
    forgetScripts();
    monitor.send(QStringLiteral("next track"));
    ASSERT_TRUE(settle());
    EXPECT_TRUE(scripts().isEmpty());
}

TEST_F(MusicMonitorTest, ArtworkFollowsTheShownTrackAndFailuresMeanNoPicture) {
    const QColor darkRed = QColor::fromHsvF(0, 0.9f, 0.3f);
    answer(kMusicArtwork, dataOutput(pngOf(darkRed)));
    post(MusicSource::appleMusic, info({{"Player State", "Playing"}, {"Name", "One"}}));
    ASSERT_FALSE(monitor.artwork().isNull());
    EXPECT_EQ(monitor.artwork().pixelColor(0, 0).rgb(), darkRed.rgb());
    EXPECT_EQ(monitor.accent(), accentColor(monitor.artwork()));
    EXPECT_TRUE(monitor.artworkUrl().toString().startsWith("image://zelvik-artwork/"));

    // The same track again asks for nothing; after a clear it asks again.
    post(MusicSource::appleMusic, info({{"Player State", "Playing"}, {"Name", "One"}}));
    EXPECT_EQ(scripts().count(kMusicArtwork), 1);
    monitor.clear();
    EXPECT_TRUE(monitor.artwork().isNull());
    EXPECT_FALSE(monitor.artworkUrl().isValid());
    post(MusicSource::appleMusic, info({{"Player State", "Playing"}, {"Name", "One"}}));
    EXPECT_EQ(scripts().count(kMusicArtwork), 2);

    // Spotify naming no picture clears it; undecodable or oversized bytes
    // are no picture either.
    answer(kSpotifyArtwork, textOutput(QString()));
    showSpotify();
    EXPECT_TRUE(monitor.artwork().isNull());
    EXPECT_EQ(monitor.accent(), kDefaultAccent);
    for (const QByteArray& bytes :
         {QByteArray("not a picture"), pngOf(Qt::red) + QByteArray(10 * 1024 * 1024, '\0')}) {
        answer(kMusicArtwork, dataOutput(bytes));
        post(MusicSource::appleMusic,
             info({{"Player State", "Playing"}, {"Name", QString::number(bytes.size())}}));
        EXPECT_TRUE(monitor.artwork().isNull());
        EXPECT_EQ(monitor.accent(), kDefaultAccent);
    }
}
