#include "MusicServices.h"

#include "support/TestEnvironment.h"

#include <QColor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace zelvik::test {

namespace {

constexpr int kStartTimeoutMs = 20000;
const QString kSpotify = QStringLiteral("org.mpris.MediaPlayer2.spotify");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");

TestSongs makeSongs() {
    TestSongs songs;
    songs.folder = testRoot() + QStringLiteral("/songs");
    QDir().mkpath(songs.folder);
    songs.one = songs.folder + QStringLiteral("/one.ogg");
    songs.two = songs.folder + QStringLiteral("/two.ogg");
    songs.cover = songs.folder + QStringLiteral("/cover.png");
    songs.coverColor = QColor(77, 8, 8);
    const QString sox = findSystemProgram(QStringLiteral("sox"));
    if (sox.isEmpty()) {
        songs.error = QStringLiteral("sox is not installed (package sox)");
        return songs;
    }
    for (const auto& [file, title] : {std::pair{songs.one, "One"}, std::pair{songs.two, "Two"}}) {
        const QStringList arguments{QStringLiteral("-n"),
                                    QStringLiteral("-r"),
                                    QStringLiteral("8000"),
                                    QStringLiteral("-c"),
                                    QStringLiteral("1"),
                                    QStringLiteral("--comment"),
                                    QStringLiteral("TITLE=%1").arg(QLatin1String(title)),
                                    QStringLiteral("--add-comment"),
                                    QStringLiteral("ARTIST=Ada"),
                                    file,
                                    QStringLiteral("synth"),
                                    QStringLiteral("120"),
                                    QStringLiteral("sine"),
                                    QStringLiteral("440")};
        if (!runQuietly(sox, arguments, QProcessEnvironment::systemEnvironment())) {
            songs.error = QStringLiteral("sox could not make ") + file;
            return songs;
        }
    }
    QImage cover(16, 16, QImage::Format_RGB32);
    cover.fill(songs.coverColor);
    if (!cover.save(songs.cover))
        songs.error = QStringLiteral("could not write the cover");
    return songs;
}

} // namespace

const TestSongs& testSongs() {
    static const TestSongs songs = makeSongs();
    return songs;
}

// --- MpvPlayer ---------------------------------------------------------------

MpvPlayer::MpvPlayer(const PrivateSessionBus& bus, const QStringList& files, bool paused)
    : m_environment(bus.environment()) {
    const QString mpv = findSystemProgram(QStringLiteral("mpv"));
    const QString plugin = QStringLiteral("/usr/lib/mpv-mpris/mpris.so");
    if (mpv.isEmpty() || !QFile::exists(plugin) ||
        findSystemProgram(QStringLiteral("playerctl")).isEmpty()) {
        m_error = QStringLiteral("mpv, mpv-mpris or playerctl is not installed");
        return;
    }
    QStringList arguments{QStringLiteral("--no-config"), QStringLiteral("--script=") + plugin,
                          QStringLiteral("--ao=null"),   QStringLiteral("--vo=null"),
                          QStringLiteral("--no-video"),  QStringLiteral("--no-terminal")};
    if (paused)
        arguments << QStringLiteral("--pause");
    m_process.setProcessEnvironment(m_environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(mpv, arguments + files);
    // Ready once it has read the first file's tags (until then it names the
    // file as the title) and plays it (or holds it).
    const QString state = paused ? QStringLiteral("Paused") : QStringLiteral("Playing");
    m_running = QTest::qWaitFor(
        [&] {
            return m_process.state() == QProcess::NotRunning ||
                   (!ask({QStringLiteral("metadata"), QStringLiteral("xesam:artist")}).isEmpty() &&
                    ask({QStringLiteral("status")}) == state);
        },
        kStartTimeoutMs);
    m_running = m_running && m_process.state() != QProcess::NotRunning;
    if (!m_running) {
        m_error =
            QStringLiteral("mpv did not come up: ") + QString::fromLocal8Bit(m_process.readAll());
        stopProcess(m_process);
    }
}

MpvPlayer::~MpvPlayer() {
    stopProcess(m_process);
}

QString MpvPlayer::ask(const QStringList& arguments) const {
    QProcess playerctl;
    playerctl.setProcessEnvironment(m_environment);
    playerctl.start(findSystemProgram(QStringLiteral("playerctl")),
                    QStringList{QStringLiteral("-p"), QStringLiteral("mpv")} + arguments);
    if (!playerctl.waitForFinished(10000) || playerctl.exitCode() != 0) {
        stopProcess(playerctl);
        return {};
    }
    return QString::fromUtf8(playerctl.readAllStandardOutput()).trimmed();
}

void MpvPlayer::quit() {
    stopProcess(m_process);
}

// --- FakeSpotify -------------------------------------------------------------

FakeSpotify::FakeSpotify(const PrivateSessionBus& bus, const QVariantMap& parameters)
    : m_connection(bus.connection())
    , m_mock(bus,
             {.name = QStringLiteral(ZELVIK_MUSIC_TEST_DIR "/fake_spotify.py"),
              .service = kSpotify,
              .parameters = QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(parameters))
                                                  .toJson(QJsonDocument::Compact))}) {}

bool FakeSpotify::update(const QVariantMap& properties) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        kSpotify, kPath, QStringLiteral("org.zelvik.FakePlayer"), QStringLiteral("Update"));
    message << properties;
    const QDBusMessage reply = m_connection.call(message, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    qWarning("the scripted Spotify refused the update: %s", qPrintable(reply.errorMessage()));
    return false;
}

QList<QVariantList> FakeSpotify::calls(const QString& method) const {
    return dbusMockCalls(m_connection, kSpotify, kPath, method);
}

void FakeSpotify::freeze(double seconds) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        kSpotify, kPath, QStringLiteral("org.zelvik.FakePlayer"), QStringLiteral("Freeze"));
    message << seconds;
    m_connection.call(message, QDBus::NoBlock);
}

void FakeSpotify::quit() {
    m_mock.stop();
}

// --- ArtServer ---------------------------------------------------------------

ArtServer::ArtServer() {
    const QString python = findSystemProgram(QStringLiteral("python3"));
    if (python.isEmpty()) {
        m_error = QStringLiteral("python3 is not installed");
        return;
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(python,
                    {QStringLiteral(ZELVIK_MUSIC_TEST_DIR "/art_server.py"), testSongs().folder});
    (void)QTest::qWaitFor(
        [&] {
            if (m_process.state() == QProcess::NotRunning)
                return true;
            m_process.waitForReadyRead(50);
            if (m_process.canReadLine())
                m_port = m_process.readLine().trimmed().toInt();
            return m_port != 0;
        },
        kStartTimeoutMs);
    if (m_port == 0) {
        m_error = QStringLiteral("the cover server did not start");
        stopProcess(m_process);
    }
}

ArtServer::~ArtServer() {
    stopProcess(m_process);
}

QString ArtServer::url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

QStringList ArtServer::log() {
    m_process.waitForReadyRead(0);
    while (m_process.canReadLine())
        m_log << QString::fromUtf8(m_process.readLine()).trimmed();
    return m_log;
}

} // namespace zelvik::test
