#pragma once

#include "platform/TestServices.h"

#include <QColor>
#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace zelvik::test {

// Two generated songs ("One" and "Two" by "Ada", two minutes of tone each)
// with a dark red cover.png beside them, made once per test run.
struct TestSongs {
    QString folder;
    QString one;
    QString two;
    QString cover;
    QColor coverColor;
    QString error; // empty when the songs exist
};
const TestSongs& testSongs();

// mpv with its MPRIS plugin, playing files with no sound output, on a bus;
// running once it has loaded the first file.
class MpvPlayer {
public:
    MpvPlayer(const PrivateSessionBus& bus, const QStringList& files, bool paused = false);
    ~MpvPlayer();
    MpvPlayer(const MpvPlayer&) = delete;
    MpvPlayer& operator=(const MpvPlayer&) = delete;

    bool isRunning() const { return m_running; }
    QString error() const { return m_error; }
    static QString busName() { return QStringLiteral("org.mpris.MediaPlayer2.mpv"); }
    // What playerctl says about the player: `status`, `position`,
    // `metadata xesam:title`...; empty when it failed.
    QString ask(const QStringList& arguments) const;
    void quit();

private:
    QProcessEnvironment m_environment;
    QProcess m_process;
    bool m_running = false;
    QString m_error;
};

// A scripted Spotify (fake_spotify.py) on a bus: state set by the test, the
// calls it got read back.
class FakeSpotify {
public:
    FakeSpotify(const PrivateSessionBus& bus, const QVariantMap& parameters);

    bool isRunning() const { return m_mock.isRunning(); }
    QString error() const { return m_mock.error(); }
    // Changes player properties and sends PropertiesChanged for them.
    bool update(const QVariantMap& properties);
    // The arguments of every call of the method, oldest first.
    QList<QVariantList> calls(const QString& method) const;
    // The player answers nothing for that long (it sleeps).
    void freeze(double seconds);
    // The player goes away at once.
    void quit();

private:
    QDBusConnection m_connection;
    DBusMockProcess m_mock;
};

// The cover server (art_server.py) on 127.0.0.1, serving testSongs' folder.
class ArtServer {
public:
    ArtServer();
    ~ArtServer();
    ArtServer(const ArtServer&) = delete;
    ArtServer& operator=(const ArtServer&) = delete;

    bool isRunning() const { return m_port != 0; }
    QString error() const { return m_error; }
    QString url(const QString& path) const;
    // The lines it printed since it started: "GET /path", "done /path",
    // "gone /path".
    QStringList log();

private:
    QProcess m_process;
    int m_port = 0;
    QStringList m_log;
    QString m_error;
};

} // namespace zelvik::test
