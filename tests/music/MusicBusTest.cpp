// The music monitor with the real engine and bridge, on a private session bus
// with a real player (mpv with its MPRIS plugin) as "Music", a scripted
// Spotify, and a cover server on 127.0.0.1. Only time for the download limit
// is virtual.
#include "MusicFakes.h"
#include "MusicServices.h"

#include "monitors/AccentColor.h"
#include "monitors/MusicMonitor.h"
#include "monitors/ScriptRunner.h"
#include "platform/linux/DesktopPlayerApplications.h"
#include "platform/linux/MprisNotificationBridge.h"
#include "platform/linux/MprisScriptEngine.h"
#include "settings/MusicAppRows.h"
#include "support/TestEnvironment.h"
#include "support/VirtualTime.h"
#include "views/MusicImageProviders.h"

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QMutex>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;
using namespace std::chrono_literals;

namespace {

constexpr int kWaitMs = 30000;

// Every script the engine ran and what it gave, for the test to read.
struct EngineLog {
    QMutex mutex;
    QStringList started;
    QList<std::pair<QString, ScriptOutput>> finished;
};

class LoggingEngine final : public ScriptEngine {
public:
    LoggingEngine(std::unique_ptr<ScriptEngine> engine, std::shared_ptr<EngineLog> log)
        : m_engine(std::move(engine))
        , m_log(std::move(log)) {}
    ScriptOutput execute(const QString& source) override {
        {
            const QMutexLocker lock(&m_log->mutex);
            m_log->started << source;
        }
        const ScriptOutput output = m_engine->execute(source);
        const QMutexLocker lock(&m_log->mutex);
        m_log->finished << std::pair{source, output};
        return output;
    }

private:
    std::unique_ptr<ScriptEngine> m_engine;
    std::shared_ptr<EngineLog> m_log;
};

// The monitor's own diagnostics, collected while a test runs.
QStringList g_diagnostics;
QtMessageHandler g_otherMessages = nullptr;
void collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (QLatin1String(context.category) == QLatin1String("zelvik.music"))
        g_diagnostics << message;
    else if (g_otherMessages)
        g_otherMessages(type, context, message);
}

class MusicBusTest : public ::testing::Test {
protected:
    VirtualTime time;
    std::unique_ptr<PrivateSessionBus> bus;
    std::shared_ptr<mpris::MusicPlayerChoice> choice = std::make_shared<mpris::MusicPlayerChoice>();
    std::shared_ptr<EngineLog> engineLog = std::make_shared<EngineLog>();
    std::unique_ptr<ScriptRunner> runner;
    MprisNotificationBridge* bridge = nullptr;
    std::unique_ptr<MusicMonitor> monitor;
    int trackChanges = 0;
    QtMessageHandler previousHandler = nullptr;

    void SetUp() override {
        const TestSongs& songs = testSongs();
        if (!songs.error.isEmpty())
            GTEST_SKIP() << songs.error.toStdString();
        useBus();
        g_diagnostics.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("zelvik.music.debug=true"));
        previousHandler = qInstallMessageHandler(collect);
        g_otherMessages = previousHandler;
    }
    void TearDown() override {
        monitor.reset();
        runner.reset();
        if (previousHandler)
            qInstallMessageHandler(previousHandler);
        QLoggingCategory::setFilterRules(QString());
    }

    void useBus(const QString& policy = {}) {
        bus = std::make_unique<PrivateSessionBus>(policy);
        ASSERT_TRUE(bus->isRunning()) << bus->error().toStdString();
    }

    // The monitor as the program builds it, on the test's bus.
    void startMonitor(std::chrono::milliseconds callTimeout = 8s) {
        const MprisScriptEngine::Options options{bus->address(), callTimeout, choice};
        runner = std::make_unique<ScriptRunner>([options, log = engineLog] {
            return std::make_unique<LoggingEngine>(std::make_unique<MprisScriptEngine>(options),
                                                   log);
        });
        auto notifications =
            std::make_unique<MprisNotificationBridge>(bus->connection(), callTimeout, choice);
        bridge = notifications.get();
        monitor = std::make_unique<MusicMonitor>(
            MusicMonitor::Environment{time, time, *runner, std::move(notifications),
                                      std::make_unique<DesktopPlayerApplications>()});
        monitor->onTrackChange = [this] { ++trackChanges; };
        monitor->start();
    }

    bool waitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, kWaitMs);
    }
    // Until every script sent so far has run and its result was applied:
    // results come back in order, so a script that every engine refuses at
    // once marks the end of the queue. Twice, for scripts those results sent.
    bool waitUntilIdle() {
        for (int round = 0; round < 2; ++round) {
            bool through = false;
            QObject context;
            runner->run(QStringLiteral("idle?"), &context, [&](const auto&) { through = true; });
            if (!waitFor([&] { return through; }))
                return false;
        }
        return true;
    }
    bool waitForTitle(const QString& title) {
        return waitFor([&] { return monitor->trackTitle() == title; });
    }
    QList<std::pair<QString, ScriptOutput>> finishedScripts() {
        const QMutexLocker lock(&engineLog->mutex);
        return engineLog->finished;
    }
    QStringList startedScripts() {
        const QMutexLocker lock(&engineLog->mutex);
        return engineLog->started;
    }
    std::optional<ScriptOutput> lastOutputOf(const QString& script) {
        const auto finished = finishedScripts();
        for (auto it = finished.crbegin(); it != finished.crend(); ++it) {
            if (it->first == script)
                return it->second;
        }
        return std::nullopt;
    }
    // Waits until a notification of that player went out and was handled.
    bool waitForNotification(QSignalSpy& spy, MusicSource source) {
        return waitFor([&] {
            return std::any_of(spy.cbegin(), spy.cend(), [&](const QList<QVariant>& arguments) {
                return arguments.at(0).toString() == notificationName(source);
            });
        });
    }

    static QVariantMap track(const QString& title, const QStringList& artists, qint64 lengthUs,
                             const QString& artUrl = {}) {
        QVariantMap metadata{{"xesam:title", title},
                             {"xesam:artist", artists},
                             {"mpris:length", lengthUs},
                             {"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/t/1"))}};
        if (!artUrl.isNull())
            metadata.insert("mpris:artUrl", artUrl);
        return metadata;
    }
    static QVariantMap spotifyParameters(const QString& status, const QString& title,
                                         const QString& artUrl = {}) {
        return {{"status", status},    {"title", title},       {"artists", QStringList{"Spot"}},
                {"length", 215000000}, {"position", 12500000}, {"artUrl", artUrl}};
    }
};

} // namespace

TEST_F(MusicBusTest, StartUpShowsAPausedSpotifyThenThePlayingMusicPlayerWithItsCover) {
    const TestSongs& songs = testSongs();
    FakeSpotify spotify(*bus, spotifyParameters("Paused", "Slow"));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    MpvPlayer mpv(*bus, {songs.one});
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();

    QStringList titles;
    startMonitor();
    QObject::connect(monitor.get(), &MusicMonitor::titleChanged,
                     [&] { titles << monitor->trackTitle(); });
    ASSERT_TRUE(waitFor([&] { return monitor->hasArtwork() && monitor->trackTitle() == "One"; }));

    // Spotify was asked first and answered in its own units; being paused,
    // it let Music be asked. (Music may also have taken over by notifying
    // first: what was shown in between is for the monitor's own tests.)
    const auto scripts = finishedScripts();
    ASSERT_GE(scripts.size(), 2);
    EXPECT_EQ(scripts.first().first, statusScript("Spotify"));
    EXPECT_EQ(scripts.first().second.string, "paused\nSlow\nSpot\n215000\n12.500");
    EXPECT_TRUE(std::any_of(scripts.cbegin() + 1, scripts.cend(), [](const auto& script) {
        return script.first == statusScript("Music");
    }));
    EXPECT_EQ(titles.last(), "One");
    EXPECT_EQ(monitor->source(), MusicSource::appleMusic);
    EXPECT_EQ(monitor->trackArtist(), "Ada");
    EXPECT_TRUE(monitor->isPlaying());
    EXPECT_DOUBLE_EQ(monitor->duration(), 120); // Music's seconds
    EXPECT_GE(monitor->position(), 0);
    EXPECT_LT(monitor->position(), 120);
    // Music's cover comes as the bytes of mpv's cover.png.
    EXPECT_EQ(monitor->artwork().pixelColor(0, 0).rgb(), songs.coverColor.rgb());
    EXPECT_EQ(monitor->accent(), accentColor(monitor->artwork()));
    EXPECT_NE(monitor->accent(), kDefaultAccent);

    const QVariantList players = monitor->players();
    ASSERT_EQ(players.size(), 2);
    EXPECT_EQ(players[0].toMap()["source"], "spotify");
    EXPECT_EQ(players[0].toMap()["running"], true);
    const QVariantMap music = players[1].toMap();
    EXPECT_EQ(music["running"], true);
    EXPECT_EQ(music["installed"], true); // mpv names its desktop entry
    EXPECT_EQ(music["appUrl"].toUrl().fileName(), "mpv.desktop");
    EXPECT_EQ(music["name"], "mpv Media Player");
}

TEST_F(MusicBusTest, APlayingSpotifyAtStartUpIsShownAndMusicIsNeverAsked) {
    ArtServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    FakeSpotify spotify(*bus,
                        spotifyParameters("Playing", "So What", server.url("/cover/cover.png")));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    // Paused: a playing Music would rightly take over with its first
    // notification.
    MpvPlayer mpv(*bus, {testSongs().one}, true);
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();

    startMonitor();
    ASSERT_TRUE(waitFor([&] { return monitor->hasArtwork(); }));
    EXPECT_EQ(monitor->source(), MusicSource::spotify);
    EXPECT_EQ(monitor->trackTitle(), "So What");
    EXPECT_DOUBLE_EQ(monitor->duration(), 215); // Spotify's milliseconds
    EXPECT_DOUBLE_EQ(monitor->position(), 12.5);
    EXPECT_TRUE(server.log().contains("GET /cover/cover.png"));
    // The poll stopped at Spotify. (A notification from the paused Music
    // before Spotify was shown may have had it shown, and asked, meanwhile.)
    EXPECT_EQ(startedScripts().first(), statusScript("Spotify"));
    EXPECT_FALSE(startedScripts().contains(statusScript("Music")));
}

TEST_F(MusicBusTest, PlayersTakeOverOnlyByPlayingAndQuittingClearsOnlyTheShownOne) {
    FakeSpotify spotify(*bus, spotifyParameters("Playing", "So What"));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    startMonitor();
    ASSERT_TRUE(waitForTitle("So What"));
    QSignalSpy notified(bridge, &PlayerNotifications::notified);

    // Music appears paused: announced, and ignored while Spotify plays.
    MpvPlayer mpv(*bus, {testSongs().one}, true);
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();
    ASSERT_TRUE(waitForNotification(notified, MusicSource::appleMusic));
    QCoreApplication::processEvents();
    EXPECT_EQ(monitor->trackTitle(), "So What");
    EXPECT_EQ(trackChanges, 0);

    // Music starts playing and takes over: a new song.
    mpv.ask({"play"});
    ASSERT_TRUE(waitForTitle("One"));
    EXPECT_EQ(monitor->source(), MusicSource::appleMusic);
    EXPECT_DOUBLE_EQ(monitor->duration(), 120); // "Total Time" in ms
    EXPECT_EQ(trackChanges, 1);

    // Spotify stopping is not the shown player stopping.
    notified.clear();
    ASSERT_TRUE(spotify.update({{"PlaybackStatus", "Stopped"}}));
    ASSERT_TRUE(waitForNotification(notified, MusicSource::spotify));
    QCoreApplication::processEvents();
    EXPECT_EQ(monitor->trackTitle(), "One");

    // Spotify loads a new song paused (ignored), then only says it plays:
    // it takes over with its own song, its length in ms.
    notified.clear();
    ASSERT_TRUE(
        spotify.update({{"PlaybackStatus", "Paused"},
                        {"Metadata", track("Blue in Green", {"Miles", "Bill"}, 337000000)}}));
    ASSERT_TRUE(waitForNotification(notified, MusicSource::spotify));
    QCoreApplication::processEvents();
    EXPECT_EQ(monitor->trackTitle(), "One");
    ASSERT_TRUE(spotify.update({{"PlaybackStatus", "Playing"}}));
    ASSERT_TRUE(waitFor([&] { return monitor->source() == MusicSource::spotify; }));
    EXPECT_EQ(monitor->trackTitle(), "Blue in Green");
    EXPECT_EQ(monitor->trackArtist(), "Miles, Bill");
    EXPECT_DOUBLE_EQ(monitor->duration(), 337);
    EXPECT_EQ(trackChanges, 2);

    // The other player quitting leaves the shown one; the shown one clears.
    mpv.quit();
    ASSERT_TRUE(waitFor([&] { return !monitor->isRunning(MusicSource::appleMusic); }));
    EXPECT_EQ(monitor->trackTitle(), "Blue in Green");
    spotify.quit();
    ASSERT_TRUE(waitFor([&] { return !monitor->hasTitle(); }));
    EXPECT_FALSE(monitor->source());
    EXPECT_FALSE(monitor->isPlaying());
}

TEST_F(MusicBusTest, CommandsReachThePlayers) {
    const TestSongs& songs = testSongs();
    MpvPlayer mpv(*bus, {songs.one, songs.two});
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();
    startMonitor();
    ASSERT_TRUE(waitForTitle("One"));

    monitor->togglePlayPause();
    EXPECT_FALSE(monitor->isPlaying()); // at once
    ASSERT_TRUE(waitFor([&] { return mpv.ask({"status"}) == "Paused"; }));
    monitor->togglePlayPause();
    ASSERT_TRUE(waitFor([&] { return mpv.ask({"status"}) == "Playing"; }));

    monitor->seek(30);
    EXPECT_DOUBLE_EQ(monitor->position(), 30);
    ASSERT_TRUE(waitFor([&] {
        const double position = mpv.ask({"position"}).toDouble();
        return position >= 29 && position < 60;
    }));

    monitor->send(QStringLiteral("next track"));
    ASSERT_TRUE(waitForTitle("Two"));
    EXPECT_EQ(mpv.ask({"metadata", "xesam:title"}), "Two");
    EXPECT_GE(trackChanges, 1);
    monitor->send(QStringLiteral("previous track"));
    ASSERT_TRUE(waitForTitle("One"));
    EXPECT_FALSE(monitor->needsPermission());

    // Spotify gets the same commands; its playhead is set on its track.
    mpv.quit();
    FakeSpotify spotify(*bus, spotifyParameters("Playing", "So What"));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    ASSERT_TRUE(waitForTitle("So What"));
    monitor->send(QStringLiteral("previous track"));
    monitor->seek(12.5);
    monitor->togglePlayPause();
    ASSERT_TRUE(waitFor([&] { return spotify.calls("PlayPause").size() == 1; }));
    EXPECT_EQ(spotify.calls("Previous").size(), 1);
    const auto seeks = spotify.calls("SetPosition");
    ASSERT_EQ(seeks.size(), 1);
    EXPECT_EQ(seeks[0][0].value<QDBusObjectPath>().path(), "/com/spotify/track/1");
    EXPECT_EQ(seeks[0][1].toLongLong(), 12500000);
    // The player says it paused: the monitor agrees.
    ASSERT_TRUE(waitFor([&] { return !monitor->isPlaying(); }));
}

TEST_F(MusicBusTest, ARefusedCallAsksForPermissionAndAPlayerThatIsGoneIsNotCalled) {
    useBus(QStringLiteral("<deny send_destination=\"org.mpris.MediaPlayer2.spotify\" "
                          "send_interface=\"org.mpris.MediaPlayer2.Player\" "
                          "send_member=\"Next\"/>"));
    FakeSpotify spotify(*bus, spotifyParameters("Playing", "So What"));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    startMonitor();
    ASSERT_TRUE(waitForTitle("So What"));

    monitor->send(QStringLiteral("next track"));
    ASSERT_TRUE(waitFor([&] { return monitor->needsPermission(); }));
    EXPECT_EQ(lastOutputOf(tellTo("Spotify", "next track"))->errorCode, -1743);
    monitor->send(QStringLiteral("previous track"));
    ASSERT_TRUE(waitFor([&] { return !monitor->needsPermission(); }));

    monitor->send(QStringLiteral("next track"));
    ASSERT_TRUE(waitFor([&] { return monitor->needsPermission(); }));
    spotify.quit();
    ASSERT_TRUE(waitFor([&] { return !monitor->hasTitle(); }));
    const qsizetype scripts = startedScripts().size();
    monitor->send(QStringLiteral("playpause"));
    monitor->refreshPosition();
    QCoreApplication::processEvents();
    EXPECT_EQ(startedScripts().size(), scripts);
    EXPECT_TRUE(monitor->needsPermission());
}

TEST_F(MusicBusTest, CoversComeOnlyFromTheWebWithinLimitsAndLatePicturesAreDropped) {
    const TestSongs& songs = testSongs();
    QImage blue(8, 8, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(songs.folder + "/blue.png"));
    ArtServer server;
    ASSERT_TRUE(server.isRunning()) << server.error().toStdString();
    FakeSpotify spotify(*bus,
                        spotifyParameters("Playing", "Start", server.url("/cover/cover.png")));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    startMonitor();
    ASSERT_TRUE(waitFor([&] { return monitor->hasArtwork(); }));

    int song = 0;
    const auto play = [&](const QString& artUrl) {
        const QString title = QStringLiteral("Song %1").arg(++song);
        EXPECT_TRUE(spotify.update({{"Metadata", track(title, {"Spot"}, 215000000, artUrl)}}));
        return title;
    };
    const auto showGoodCover = [&] {
        play(server.url("/cover/cover.png"));
        return waitFor([&] { return monitor->hasArtwork(); });
    };

    // Each of these is no picture: the old one goes and the accent returns
    // to its default.
    const QStringList refused{server.url("/html"),
                              server.url("/huge"),
                              server.url("/endless"),
                              QUrl::fromLocalFile(songs.cover).toString(),
                              QStringLiteral("data:image/png;base64,AAAA"),
                              QString("")};
    for (const QString& url : refused) {
        SCOPED_TRACE(url.toStdString());
        ASSERT_TRUE(showGoodCover());
        const QString title = play(url);
        ASSERT_TRUE(waitForTitle(title));
        ASSERT_TRUE(waitFor([&] { return !monitor->hasArtwork(); }));
        EXPECT_EQ(monitor->accent(), kDefaultAccent);
    }
    // The endless body was cut off, not read to the end.
    ASSERT_TRUE(waitFor([&] { return server.log().contains("gone /endless"); }));
    EXPECT_FALSE(server.log().contains("done /endless"));

    // A server that never answers gives up after 15 s, not before.
    ASSERT_TRUE(showGoodCover());
    play(server.url("/slow"));
    ASSERT_TRUE(waitFor([&] { return server.log().contains("GET /slow"); }));
    QCoreApplication::processEvents();
    time.advanceSeconds(14.9);
    EXPECT_TRUE(monitor->hasArtwork());
    time.advanceSeconds(0.1);
    ASSERT_TRUE(waitFor([&] { return !monitor->hasArtwork(); }));

    // A picture that arrives after the next song has started is dropped.
    const QString late = play(server.url("/late/cover.png"));
    ASSERT_TRUE(waitFor([&] { return server.log().contains("GET /late/cover.png"); }));
    play(server.url("/cover/blue.png"));
    ASSERT_TRUE(waitFor([&] { return monitor->hasArtwork(); }));
    EXPECT_EQ(monitor->artwork().pixelColor(0, 0).rgb(), QColor(Qt::blue).rgb());
    ASSERT_TRUE(waitFor([&] {
        return g_diagnostics.contains(
            QStringLiteral("dropped the artwork of \"spotify|%1|Spot\"").arg(late));
    }));
    EXPECT_EQ(monitor->artwork().pixelColor(0, 0).rgb(), QColor(Qt::blue).rgb());
}

TEST_F(MusicBusTest, UntrustedMetadataAndAHungPlayerNeitherCrashNorHangNorLeaveAStaleTrack) {
    QVariantMap parameters = spotifyParameters("Playing", "Line\nbreak\ttab");
    parameters["artists"] = QStringList{"A\r\nB"};
    FakeSpotify spotify(*bus, parameters);
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    startMonitor();
    // Line breaks would cut the status answer's lines: they became spaces.
    ASSERT_TRUE(waitForTitle("Line break tab"));
    EXPECT_EQ(monitor->trackArtist(), "A  B");
    EXPECT_DOUBLE_EQ(monitor->duration(), 215);

    // A huge title is cut; a negative length is no length.
    ASSERT_TRUE(spotify.update({{"Metadata", track(QString(100000, 'x'), {"Spot"}, -5)}}));
    ASSERT_TRUE(waitFor([&] { return monitor->trackTitle().startsWith("xxx"); }));
    EXPECT_EQ(monitor->trackTitle().size(), 1001);
    EXPECT_TRUE(monitor->trackTitle().endsWith(QChar(0x2026)));
    EXPECT_DOUBLE_EQ(monitor->duration(), 0);

    // Values of the wrong type: a length that is text, a title that is
    // bytes (not valid text), Metadata that is no map, a state that is a
    // number. Nothing of the previous track stays.
    QVariantMap wrong = track("Right", {"Spot"}, 0);
    wrong["mpris:length"] = QStringLiteral("215000000");
    ASSERT_TRUE(spotify.update({{"Metadata", wrong}}));
    ASSERT_TRUE(waitForTitle("Right"));
    EXPECT_DOUBLE_EQ(monitor->duration(), 0);
    wrong["xesam:title"] = QByteArray("\xff\xfe broken", 9);
    ASSERT_TRUE(spotify.update({{"Metadata", wrong}}));
    ASSERT_TRUE(waitForTitle(""));
    QSignalSpy notified(bridge, &PlayerNotifications::notified);
    ASSERT_TRUE(spotify.update({{"Metadata", QStringLiteral("not a map")}}));
    ASSERT_TRUE(spotify.update({{"PlaybackStatus", 7}}));
    ASSERT_TRUE(waitFor([&] { return notified.size() == 2; }));
    EXPECT_EQ(monitor->source(), MusicSource::spotify);
    EXPECT_TRUE(monitor->isPlaying());

    // A playhead past the end is shown, but never beyond the end.
    ASSERT_TRUE(spotify.update(
        {{"Metadata", track("Long", {"Spot"}, 215000000)}, {"Position", qlonglong(500000000)}}));
    ASSERT_TRUE(waitFor([&] { return monitor->position() == 500; }));
    EXPECT_DOUBLE_EQ(monitor->currentPositionNow(), 215);

    // A player that answers nothing: the script gives up with a time-out
    // and the interface goes on meanwhile.
    ASSERT_TRUE(waitUntilIdle());
    spotify.freeze(30);
    bool interfaceRan = false;
    QTimer::singleShot(0, [&] { interfaceRan = true; });
    monitor->refreshPosition();
    const QString position = tellTo("Spotify", "return player position");
    ASSERT_TRUE(
        waitFor([&] { return lastOutputOf(position) && lastOutputOf(position)->errorCode; }));
    EXPECT_EQ(lastOutputOf(position)->errorCode, -1712);
    EXPECT_TRUE(interfaceRan);

    // It leaves the bus in the middle of a script: the script fails at once
    // and the track goes.
    const qsizetype started = startedScripts().size();
    monitor->send(QStringLiteral("next track"));
    ASSERT_TRUE(waitFor([&] { return startedScripts().size() > started; }));
    spotify.quit();
    ASSERT_TRUE(waitFor([&] { return !monitor->hasTitle(); }));
    const QString next = tellTo("Spotify", "next track");
    ASSERT_TRUE(waitFor([&] { return lastOutputOf(next).has_value(); }));
    EXPECT_TRUE(lastOutputOf(next)->errorCode == -609 || lastOutputOf(next)->errorCode == -600)
        << *lastOutputOf(next)->errorCode;

    // The runner is free again: the next player is driven as usual.
    FakeSpotify again(*bus, spotifyParameters("Playing", "Again"));
    ASSERT_TRUE(again.isRunning()) << again.error().toStdString();
    ASSERT_TRUE(waitForTitle("Again"));
    monitor->send(QStringLiteral("previous track"));
    ASSERT_TRUE(waitFor([&] { return again.calls("Previous").size() == 1; }));
}

TEST_F(MusicBusTest, InstalledPlayersAreTheirDesktopEntriesAndStartFromThem) {
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications";
    ASSERT_TRUE(applications.startsWith(testRoot()));
    QDir().mkpath(applications);
    const QString marker = testRoot() + "/spotify-started";
    QFile entry(applications + "/spotify.desktop");
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Spotify\n"
                               "Icon=spotify-client\nExec=touch %1\n")
                    .arg(marker)
                    .toUtf8());
    entry.close();
    QFile player(applications + "/zelvik-test-player.desktop");
    ASSERT_TRUE(player.open(QIODevice::WriteOnly));
    player.write("[Desktop Entry]\nType=Application\nName=Test Player\nExec=true\n"
                 "MimeType=audio/mpeg;\n");
    player.close();
    QFile defaults(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   "/mimeapps.list");
    ASSERT_TRUE(defaults.open(QIODevice::WriteOnly));
    defaults.write("[Default Applications]\naudio/mpeg=zelvik-test-player.desktop\n");
    defaults.close();

    startMonitor();
    const auto player_ = [&](int index) { return monitor->players().at(index).toMap(); };
    ASSERT_TRUE(waitFor(
        [&] { return player_(0)["installed"].toBool() && player_(1)["installed"].toBool(); }));
    EXPECT_EQ(player_(0)["running"], false);
    EXPECT_EQ(player_(0)["iconName"], "spotify-client");
    EXPECT_EQ(player_(0)["openLabel"], "Open Spotify");
    EXPECT_EQ(player_(0)["appUrl"].toUrl(), QUrl::fromLocalFile(entry.fileName()));
    EXPECT_EQ(monitor->appUrl(MusicSource::spotify), QUrl::fromLocalFile(entry.fileName()));
    // No player runs: "Music" is the desktop's default player for music.
    EXPECT_EQ(player_(1)["name"], "Test Player");
    EXPECT_EQ(player_(1)["openLabel"], "Open Test Player");

    EXPECT_TRUE(monitor->launch("spotify"));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(marker); }));
    EXPECT_FALSE(monitor->launch("nobody"));

    // A running player names its own entry.
    QSignalSpy changed(monitor.get(), &MusicMonitor::playersChanged);
    MpvPlayer mpv(*bus, {testSongs().one});
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();
    ASSERT_TRUE(waitFor([&] { return player_(1)["name"] == "mpv Media Player"; }));
    EXPECT_EQ(player_(1)["running"], true);
    EXPECT_GE(changed.size(), 1);
}

// The music page's rows read the players the monitor finds, and open them
// through it.
TEST_F(MusicBusTest, TheSettingsRowsShowThePlayersAndOpenOrRaiseThem) {
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/applications";
    // Only this test's Spotify is installed.
    QDir(applications).removeRecursively();
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  "/mimeapps.list");
    QDir().mkpath(applications);
    const QString marker = testRoot() + "/flatpak-spotify-started";
    const QString icon = testRoot() + "/spotify-icon.png";
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(icon));
    // Flathub's entry counts as well as Debian's.
    QFile entry(applications + "/com.spotify.Client.desktop");
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Spotify (Flatpak)\n"
                               "Icon=%1\nExec=touch %2\n")
                    .arg(icon, marker)
                    .toUtf8());
    entry.close();
    const auto cleanUp = qScopeGuard([&] { QFile::remove(entry.fileName()); });

    startMonitor();
    MusicAppRows rows(monitor.get());
    const auto role = [&](int row, int which) { return rows.data(rows.index(row), which); };
    // (The desktop's list of applications follows changes a moment later.)
    ASSERT_TRUE(waitFor([&] {
        rows.refresh();
        return role(0, MusicAppRows::IconSourceRole).toUrl() == playerIconUrl(icon);
    }));
    EXPECT_EQ(role(0, MusicAppRows::StateTextRole), "Installed");
    EXPECT_EQ(role(0, MusicAppRows::NameRole), "Spotify");
    EXPECT_FALSE(playerIconUrl(icon).isEmpty());
    rows.open(0);
    ASSERT_TRUE(waitFor([&] { return QFile::exists(marker); }));
    QFile::remove(marker);

    // A paused player still runs; it cannot raise a window, and opening it
    // must not start a second one.
    MpvPlayer mpv(*bus, {testSongs().one}, true);
    ASSERT_TRUE(mpv.isRunning()) << mpv.error().toStdString();
    ASSERT_TRUE(waitFor([&] { return role(1, MusicAppRows::RunningRole).toBool(); }));
    EXPECT_EQ(role(1, MusicAppRows::StateTextRole), "Running");
    EXPECT_EQ(role(1, MusicAppRows::NameRole), "mpv Media Player");
    rows.open(1);
    ASSERT_TRUE(waitFor([&] { return lastOutputOf(tellTo("Music", "activate")).has_value(); }));
    EXPECT_EQ(lastOutputOf(tellTo("Music", "activate"))->errorCode, scriptError::handlerFailed);
    const QStringList names =
        bus->connection().interface()->registeredServiceNames().value().filter("mpris");
    EXPECT_EQ(names, QStringList{MpvPlayer::busName()});

    // A running Spotify is brought forward, not started from its entry.
    FakeSpotify spotify(*bus, spotifyParameters("Paused", "Slow"));
    ASSERT_TRUE(spotify.isRunning()) << spotify.error().toStdString();
    ASSERT_TRUE(waitFor([&] { return role(0, MusicAppRows::RunningRole).toBool(); }));
    rows.open(0);
    ASSERT_TRUE(waitFor([&] { return spotify.calls("Raise").size() == 1; }));
    EXPECT_TRUE(waitUntilIdle());
    EXPECT_FALSE(QFile::exists(marker));
}
