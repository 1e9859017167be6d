#include "MprisPlayers.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvik::mpris {

namespace {

// Players may wrap a value in one variant too many.
QVariant unwrapped(QVariant value) {
    for (int depth = 0; depth < 4 && value.canConvert<QDBusVariant>() &&
                        value.typeId() == qMetaTypeId<QDBusVariant>();
         ++depth)
        value = value.value<QDBusVariant>().variant();
    return value;
}

bool isObjectPath(const QString& text) {
    static const QRegularExpression path(QStringLiteral("^/([A-Za-z0-9_]+(/[A-Za-z0-9_]+)*)?$"));
    return path.match(text).hasMatch();
}

} // namespace

bool isPlayerName(const QString& busName) {
    return busName.startsWith(kNamePrefix) && busName.size() > kNamePrefix.size();
}

bool isSpotifyName(const QString& busName) {
    return busName == kSpotifyName || busName.startsWith(kSpotifyName + QLatin1Char('.'));
}

bool isMusicCandidate(const QString& busName) {
    return isPlayerName(busName) && !isSpotifyName(busName) &&
           busName != kNamePrefix + QStringLiteral("playerctld");
}

QString chooseMusicPlayer(const QList<Candidate>& candidates, const QString& current) {
    const Candidate* best = nullptr;
    const auto rank = [&](const Candidate& candidate) {
        // Playing first, then the current choice, then the rest.
        return candidate.playing ? 2 : candidate.busName == current ? 1 : 0;
    };
    for (const Candidate& candidate : candidates) {
        if (!best || rank(candidate) > rank(*best) ||
            (rank(candidate) == rank(*best) && candidate.busName == current) ||
            (rank(candidate) == rank(*best) && best->busName != current &&
             candidate.busName < best->busName))
            best = &candidate;
    }
    return best ? best->busName : QString();
}

void MusicPlayerChoice::set(const QString& busName) {
    const QMutexLocker lock(&m_mutex);
    m_busName = busName;
}

std::optional<QString> MusicPlayerChoice::get() const {
    const QMutexLocker lock(&m_mutex);
    return m_busName;
}

std::shared_ptr<MusicPlayerChoice> MusicPlayerChoice::session() {
    static const auto choice = std::make_shared<MusicPlayerChoice>();
    return choice;
}

std::optional<QString> readString(const QVariant& raw) {
    const QVariant value = unwrapped(raw);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<qint64> readInteger(const QVariant& raw) {
    const QVariant value = unwrapped(raw);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return qint64(value.toULongLong());
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(number);
    }
    case QMetaType::Double: {
        // Not what the interface names, but some players send it.
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::abs(number) > 9.0e18)
            return std::nullopt;
        return qint64(std::llround(number));
    }
    default:
        return std::nullopt;
    }
}

std::optional<qint64> readCount(const QVariant& value) {
    const auto number = readInteger(value);
    if (!number || *number < 0)
        return std::nullopt;
    return number;
}

std::optional<Track> readTrack(const QVariant& raw) {
    const QVariant value = unwrapped(raw);
    QVariantMap map;
    if (value.typeId() == QMetaType::QVariantMap) {
        map = value.toMap();
    } else if (value.typeId() == qMetaTypeId<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        if (argument.currentSignature() != u"a{sv}")
            return std::nullopt;
        argument >> map;
    } else {
        return std::nullopt;
    }

    Track track;
    if (const auto title = readString(map.value(QStringLiteral("xesam:title"))))
        track.title = cleanText(*title);
    const QVariant artists = unwrapped(map.value(QStringLiteral("xesam:artist")));
    if (artists.typeId() == QMetaType::QStringList) {
        track.artist = cleanText(artists.toStringList().join(QStringLiteral(", ")));
    } else if (artists.typeId() == qMetaTypeId<QDBusArgument>()) {
        const auto argument = artists.value<QDBusArgument>();
        if (argument.currentSignature() == u"as") {
            QStringList names;
            argument >> names;
            track.artist = cleanText(names.join(QStringLiteral(", ")));
        }
    } else if (const auto artist = readString(artists)) {
        // Not what the interface names, but some players send one text.
        track.artist = cleanText(*artist);
    }
    track.lengthUs = readCount(map.value(QStringLiteral("mpris:length")));
    const QVariant trackId = unwrapped(map.value(QStringLiteral("mpris:trackid")));
    if (trackId.typeId() == qMetaTypeId<QDBusObjectPath>())
        track.trackId = trackId.value<QDBusObjectPath>().path();
    else if (const auto text = readString(trackId); text && isObjectPath(*text))
        track.trackId = *text;
    track.artUrl = readString(map.value(QStringLiteral("mpris:artUrl")));
    return track;
}

QString cleanText(const QString& text) {
    QString cleaned = text;
    qsizetype cut = cleaned.size();
    if (cut > kMaxTextLength) {
        cut = kMaxTextLength;
        // Never keep half of a surrogate pair.
        if (cleaned.at(cut - 1).isHighSurrogate())
            --cut;
        cleaned.truncate(cut);
        cleaned += QChar(0x2026);
    }
    for (QChar& c : cleaned) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0x2028 || u == 0x2029)
            c = QLatin1Char(' ');
    }
    return cleaned;
}

} // namespace zelvik::mpris
