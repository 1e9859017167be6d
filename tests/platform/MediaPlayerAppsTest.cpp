// Music players as the settings page finds them: desktop entries in a
// private applications folder and players on a private session bus (a real
// mpv with its MPRIS plugin, and bare bus names where a player's own
// answers do not matter).
#include "platform/linux/MediaPlayerApps.h"
#include "TestServices.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace zelvik;
using namespace zelvik::test;

namespace {

constexpr int kWaitMs = 15000;

class MediaPlayerAppsTest : public ::testing::Test {
protected:
    static inline PrivateSessionBus* bus = nullptr;

    static void SetUpTestSuite() { bus = new PrivateSessionBus; }
    static void TearDownTestSuite() {
        delete bus;
        bus = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(bus->isRunning()) << bus->error().toStdString();
        applications = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        ASSERT_TRUE(QDir().mkpath(applications));
        for (const QString& name : QDir(applications).entryList(QDir::Files))
            QFile::remove(applications + u'/' + name);
    }

    void TearDown() override {
        for (QProcess* player : std::as_const(mpvs)) {
            player->kill();
            player->waitForFinished(5000);
            delete player;
        }
        for (const QString& name : std::as_const(ownedNames))
            bus->connection().interface()->unregisterService(name);
    }

    void addEntry(const QString& id, const QByteArray& text) {
        QFile file(applications + u'/' + id + QStringLiteral(".desktop"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // A name on the bus with nothing behind it.
    void own(const QString& name) {
        ASSERT_TRUE(bus->connection().registerService(name)) << name.toStdString();
        ownedNames << name;
    }

    bool hasName(const QString& name) const {
        return bus->connection().interface()->isServiceRegistered(name).value();
    }

    // mpv playing a silent file (or paused on it) with its MPRIS plugin.
    QString startMpv(bool paused) {
        const QString sound = folder.filePath(QStringLiteral("tone.ogg"));
        if (!QFileInfo::exists(sound) &&
            !runQuietly(findSystemProgram(QStringLiteral("sox")),
                        {QStringLiteral("-n"), sound, QStringLiteral("synth"), QStringLiteral("60"),
                         QStringLiteral("sine"), QStringLiteral("440")},
                        QProcessEnvironment::systemEnvironment()))
            return {};
        auto* player = new QProcess;
        player->setProcessEnvironment(bus->environment());
        QStringList arguments{QStringLiteral("--no-config"),
                              QStringLiteral("--script=/usr/lib/mpv-mpris/mpris.so"),
                              QStringLiteral("--ao=null"),
                              QStringLiteral("--vo=null"),
                              QStringLiteral("--no-video"),
                              QStringLiteral("--no-terminal"),
                              QStringLiteral("--loop-file=inf")};
        if (paused)
            arguments << QStringLiteral("--pause");
        arguments << sound;
        player->start(findSystemProgram(QStringLiteral("mpv")), arguments);
        mpvs << player;
        const QString name =
            mpvs.size() == 1
                ? QStringLiteral("org.mpris.MediaPlayer2.mpv")
                : QStringLiteral("org.mpris.MediaPlayer2.mpv.instance%1").arg(player->processId());
        if (!QTest::qWaitFor([&] { return hasName(name); }, kWaitMs))
            return {};
        return name;
    }

    QTemporaryDir folder;
    QString applications;
    QList<QProcess*> mpvs;
    QStringList ownedNames;
};

} // namespace

TEST_F(MediaPlayerAppsTest, SpotifyIsInstalledByItsEntryRunningByItsNameAndLaunchedFromTheEntry) {
    MediaPlayerApps apps(bus->connection());
    EXPECT_EQ(apps.spotify(), PlayerApp());

    // The Flatpak's entry counts as well as the Debian one.
    const QString marker = folder.filePath(QStringLiteral("launched"));
    addEntry(QStringLiteral("com.spotify.Client"),
             "[Desktop Entry]\nType=Application\nName=Spotify (Flatpak)\nIcon=com.spotify.Client\n"
             "Exec=touch \"" +
                 QFile::encodeName(marker) + "\" %U\n");
    PlayerApp spotify = apps.spotify();
    EXPECT_TRUE(spotify.installed);
    EXPECT_FALSE(spotify.running);
    EXPECT_EQ(spotify.desktopId, QStringLiteral("com.spotify.Client"));
    EXPECT_EQ(spotify.name, QStringLiteral("Spotify (Flatpak)"));
    EXPECT_EQ(spotify.iconName, QStringLiteral("com.spotify.Client"));
    EXPECT_TRUE(apps.open(spotify));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(marker); }, kWaitMs));

    int changes = 0;
    apps.onChange = [&] { ++changes; };
    // Other programs coming and going are no players.
    apps.setWatching(true);
    own(QStringLiteral("org.example.NotAPlayer"));
    own(MediaPlayerApps::spotifyBusName());
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes > 0; }, kWaitMs));
    EXPECT_EQ(changes, 1);
    spotify = apps.spotify();
    EXPECT_TRUE(spotify.running);
    EXPECT_TRUE(spotify.installed);
    // Spotify is never the other player.
    EXPECT_FALSE(apps.otherPlayer().running);
    // Not watching: nothing is heard.
    apps.setWatching(false);
    bus->connection().unregisterService(MediaPlayerApps::spotifyBusName());
    QTest::qWait(300);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(apps.spotify().running);
}

TEST_F(MediaPlayerAppsTest, TheOtherPlayerIsAPlayingOneFirstNamedAfterItsDesktopEntry) {
    MediaPlayerApps apps(bus->connection());
    // Nothing runs: an installed audio player, the first by id.
    addEntry(QStringLiteral("0-test-player"),
             "[Desktop Entry]\nType=Application\nName=Test Player\nIcon=audio-x-generic\n"
             "Categories=AudioVideo;Audio;Player;\nExec=true\n");
    addEntry(QStringLiteral("0-hidden-player"),
             "[Desktop Entry]\nName=Hidden\nCategories=Audio;Player;\nNoDisplay=true\nExec=true\n");
    addEntry(QStringLiteral("0-image-viewer"),
             "[Desktop Entry]\nName=Viewer\nCategories=Graphics;Viewer;\nExec=true\n");
    PlayerApp other = apps.otherPlayer();
    EXPECT_EQ(other.desktopId, QStringLiteral("0-test-player"));
    EXPECT_TRUE(other.installed);
    EXPECT_FALSE(other.running);

    // A player that says nothing about itself, first by name, then mpv
    // playing: the playing one wins, named by the entry it reports.
    own(QStringLiteral("org.mpris.MediaPlayer2.aaa"));
    other = apps.otherPlayer();
    EXPECT_TRUE(other.running);
    EXPECT_EQ(other.desktopId, QStringLiteral("aaa"));
    const QString mpv = startMpv(false);
    ASSERT_FALSE(mpv.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return apps.isPlaying(mpv); }, kWaitMs));
    other = apps.otherPlayer();
    EXPECT_TRUE(other.running);
    EXPECT_EQ(other.desktopId, QStringLiteral("mpv"));
    EXPECT_EQ(apps.desktopIdOf(mpv), QStringLiteral("mpv"));
    // mpv's own entry, from the system's applications folder.
    EXPECT_EQ(other.name, QStringLiteral("mpv Media Player"));
    EXPECT_EQ(other.iconName, QStringLiteral("mpv"));
    EXPECT_TRUE(apps.playerBusNames().contains(mpv));
}

TEST_F(MediaPlayerAppsTest, APausedPlayerIsStillRunningAndARunningOneIsRaisedNotStartedAgain) {
    MediaPlayerApps apps(bus->connection());
    const QString mpv = startMpv(true);
    ASSERT_FALSE(mpv.isEmpty());
    EXPECT_FALSE(apps.isPlaying(mpv));
    const PlayerApp other = apps.otherPlayer();
    EXPECT_TRUE(other.running);
    EXPECT_EQ(other.desktopId, QStringLiteral("mpv"));
    // mpv offers no raising; opening must not start a second mpv.
    EXPECT_FALSE(apps.open(other));
    QTest::qWait(200);
    EXPECT_EQ(apps.playerBusNames().size(), 1);
}
