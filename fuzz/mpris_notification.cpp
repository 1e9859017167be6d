// What a player says on the bus, turned into a player notification: a
// player on a private session bus sends PropertiesChanged and Seeked with
// values built from the input (any D-Bus types, nested, wrapped in
// variants), and the notification bridge must keep going and say only
// clean texts and real lengths of time.
#include "FuzzSupport.h"

#include "platform/linux/MprisNotificationBridge.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QProcess>

#include <cmath>
#include <cstring>

using namespace zelvik;

namespace {

// Reads the input front to back; past its end everything is zero.
class Input {
public:
    explicit Input(QByteArray bytes)
        : m_bytes(std::move(bytes)) {}

    bool atEnd() const { return m_at >= m_bytes.size(); }
    quint8 byte() { return atEnd() ? 0 : static_cast<quint8>(m_bytes.at(m_at++)); }
    template <typename T> T number() {
        T value{};
        char raw[sizeof(T)] = {};
        for (char& c : raw)
            c = static_cast<char>(byte());
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }
    QString text() {
        const int length = byte() % 48;
        QByteArray raw;
        for (int i = 0; i < length && !atEnd(); ++i)
            raw += static_cast<char>(byte());
        return QString::fromUtf8(raw);
    }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

QString oneOf(Input& in, const QStringList& words) {
    const int pick = in.byte() % (words.size() + 1);
    return pick < words.size() ? words.at(pick) : in.text();
}

// An object path made of the input's letters and digits.
QDBusObjectPath objectPath(Input& in) {
    QString path;
    for (int parts = in.byte() % 4; parts > 0; --parts) {
        QString part;
        for (QChar c : in.text()) {
            if (c.isLetterOrNumber() && c.unicode() < 128)
                part += c;
        }
        path += u'/' + (part.isEmpty() ? QStringLiteral("x") : part);
    }
    return QDBusObjectPath(path.isEmpty() ? QStringLiteral("/") : path);
}

QVariant value(Input& in, int depth);

QVariantMap map(Input& in, int depth) {
    QVariantMap result;
    for (int count = in.byte() % 6; count > 0 && !in.atEnd(); --count) {
        const QString key =
            oneOf(in, {QStringLiteral("xesam:title"), QStringLiteral("xesam:artist"),
                       QStringLiteral("mpris:length"), QStringLiteral("mpris:trackid"),
                       QStringLiteral("mpris:artUrl"), QStringLiteral("xesam:album")});
        result.insert(key, value(in, depth + 1));
    }
    return result;
}

// Any value a player could send, of the types D-Bus has.
QVariant value(Input& in, int depth) {
    const int kind = in.byte() % (depth < 4 ? 14 : 10);
    switch (kind) {
    case 0:
        return in.text();
    case 1:
        return in.number<qint32>();
    case 2:
        return in.number<quint32>();
    case 3:
        return QVariant::fromValue(in.number<qint64>());
    case 4:
        return QVariant::fromValue(in.number<quint64>());
    case 5:
        return in.number<double>();
    case 6:
        return bool(in.byte() & 1);
    case 7:
        return QVariant::fromValue(in.number<quint8>());
    case 8: {
        QStringList list;
        for (int count = in.byte() % 5; count > 0; --count)
            list << in.text();
        return list;
    }
    case 9:
        return QVariant::fromValue(objectPath(in));
    case 10:
        return map(in, depth);
    case 11:
        return QVariant::fromValue(QDBusVariant(value(in, depth + 1)));
    case 12: {
        QVariantList list;
        for (int count = in.byte() % 4; count > 0; --count)
            list << QVariant::fromValue(QDBusVariant(value(in, depth + 1)));
        return list;
    }
    default:
        return QByteArray(in.text().toUtf8());
    }
}

// The player's side: answers GetAll for both of its interfaces, as a
// playing Spotify.
class FakePlayer final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != u"GetAll")
            return false;
        const QString interface = message.arguments().value(0).toString();
        QVariantMap properties;
        if (interface == mpris::kRootInterface) {
            properties = {{QStringLiteral("Identity"), QStringLiteral("Spotify")},
                          {QStringLiteral("DesktopEntry"), QStringLiteral("spotify")}};
        } else {
            properties = {{QStringLiteral("PlaybackStatus"), QStringLiteral("Playing")},
                          {QStringLiteral("Position"), QVariant::fromValue(qint64(0))},
                          {QStringLiteral("Metadata"),
                           QVariantMap{{QStringLiteral("xesam:title"), QStringLiteral("One")}}}};
        }
        connection.send(message.createReply(QVariant(properties)));
        return true;
    }
};

// Counts the marker signals the player sends after each input: once one
// arrived, everything sent before it has been handled.
class Marker final : public QObject {
    Q_OBJECT
public slots:
    void arrived() { ++count; }

public:
    int count = 0;
};

struct Bus {
    QProcess daemon;
    QDBusConnection player{QString()};
    QDBusConnection bridgeSide{QString()};
    FakePlayer fake;
    Marker marker;
    std::unique_ptr<MprisNotificationBridge> bridge;
    QList<QVariantMap> said;
};

bool waitFor(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(30000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

Bus& bus() {
    static int argc = 1;
    static char name[] = "fuzz_mpris_notification";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Bus* bus = [] {
        auto* b = new Bus;
        b->daemon.start(QStringLiteral("dbus-daemon"),
                        {QStringLiteral("--session"), QStringLiteral("--nofork"),
                         QStringLiteral("--print-address=1"),
                         QStringLiteral("--address=unix:tmpdir=") + fuzz::scratchFolder()});
        fuzz::check(b->daemon.waitForReadyRead(30000), "the private bus starts");
        const QString address = QString::fromUtf8(b->daemon.readLine().trimmed());
        b->player = QDBusConnection::connectToBus(address, QStringLiteral("player"));
        b->bridgeSide = QDBusConnection::connectToBus(address, QStringLiteral("bridge"));
        fuzz::check(b->player.isConnected() && b->bridgeSide.isConnected(), "both connect");
        b->player.registerVirtualObject(mpris::kObjectPath, &b->fake);
        fuzz::check(b->player.registerService(mpris::kSpotifyName), "the player takes its name");
        b->bridgeSide.connect(QString(), QStringLiteral("/marker"),
                              QStringLiteral("org.zelvik.Fuzz"), QStringLiteral("Marker"),
                              &b->marker, SLOT(arrived()));
        b->bridge = std::make_unique<MprisNotificationBridge>(
            b->bridgeSide, std::chrono::milliseconds(10000),
            std::make_shared<mpris::MusicPlayerChoice>());
        QObject::connect(b->bridge.get(), &PlayerNotifications::notified,
                         [b](const QString&, const QVariantMap& info) { b->said << info; });
        bool ready = false;
        b->bridge->start([&ready] { ready = true; });
        fuzz::check(waitFor([&ready] { return ready; }), "the bridge finds the player");
        fuzz::check(b->bridge->isRunning(MusicSource::spotify), "the bridge sees Spotify");
        return b;
    }();
    return *bus;
}

void checkSaid(const QVariantMap& info) {
    for (const char* key : {"Player State", "Name", "Artist"}) {
        const QString text = info.value(QString::fromLatin1(key)).toString();
        fuzz::check(text.size() <= mpris::kMaxTextLength + 1, "texts are cut");
        for (const QChar c : text)
            fuzz::check(c.category() != QChar::Other_Control, "texts have no control characters");
    }
    for (const char* key : {"Duration", "Playback Position"}) {
        if (!info.contains(QString::fromLatin1(key)))
            continue;
        const double time = info.value(QString::fromLatin1(key)).toDouble();
        fuzz::check(std::isfinite(time) && time >= 0, "times are real and not negative");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bus& b = bus();
    Input in(fuzz::bytes(data, size));
    b.said.clear();
    const int markers = b.marker.count;
    int sent = 0;
    while (!in.atEnd() && sent < 8) {
        if (in.byte() % 5 == 0) {
            QDBusMessage seeked = QDBusMessage::createSignal(
                mpris::kObjectPath, mpris::kPlayerInterface, QStringLiteral("Seeked"));
            seeked << QVariant::fromValue(in.number<qint64>());
            b.player.send(seeked);
        } else {
            const QString interface =
                in.byte() % 8 == 0 ? mpris::kRootInterface : mpris::kPlayerInterface;
            QVariantMap changed;
            for (int count = 1 + in.byte() % 3; count > 0; --count) {
                const QString key =
                    oneOf(in, {QStringLiteral("PlaybackStatus"), QStringLiteral("Metadata"),
                               QStringLiteral("Position"), QStringLiteral("Identity"),
                               QStringLiteral("DesktopEntry")});
                changed.insert(key, value(in, 0));
            }
            QDBusMessage message = QDBusMessage::createSignal(
                mpris::kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"));
            message << interface << changed << QStringList();
            b.player.send(message);
        }
        ++sent;
    }
    b.player.send(QDBusMessage::createSignal(
        QStringLiteral("/marker"), QStringLiteral("org.zelvik.Fuzz"), QStringLiteral("Marker")));
    fuzz::check(waitFor([&] { return b.marker.count > markers; }), "the bridge keeps up");
    for (const QVariantMap& info : b.said)
        checkSaid(info);
    fuzz::check(b.bridge->isRunning(MusicSource::spotify), "the player is still known");
    return 0;
}

#include "mpris_notification.moc"
