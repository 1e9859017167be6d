#include "MusicMonitor.h"

#include "AccentColor.h"
#include "MusicLog.h"
#include "PlayerScripts.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

// A number in a script's answer: trimmed, with a decimal comma read as a
// point. Absent when it is no finite number.
std::optional<double> scriptNumber(const QString& text) {
    QString cleaned = text.trimmed();
    cleaned.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(cleaned, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QString> textValue(const QVariantMap& info, const QString& key) {
    const QVariant value = info.value(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<double> numberValue(const QVariantMap& info, const QString& key) {
    const QVariant value = info.value(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (std::isfinite(number))
            return number;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace

MusicMonitor::MusicMonitor(Environment environment, QObject* parent)
    : MusicStatus(parent)
    , m_clock(environment.clock)
    , m_scheduler(environment.scheduler)
    , m_runner(environment.runner)
    , m_notifications(std::move(environment.notifications))
    , m_applications(std::move(environment.applications))
    , m_accent(kDefaultAccent)
    , m_positionDate(m_clock.now()) {
    Q_ASSERT(m_notifications);
}

MusicMonitor::~MusicMonitor() = default;

QColor MusicMonitor::defaultAccent() {
    return kDefaultAccent;
}

void MusicMonitor::start() {
    if (m_started)
        return;
    m_started = true;
    connect(m_notifications.get(), &PlayerNotifications::notified, this,
            [this](const QString& name, const QVariantMap& info) {
                for (const MusicSource source : kAllMusicSources) {
                    if (name == notificationName(source))
                        handlePlayerInfo(info, source);
                }
            });
    connect(m_notifications.get(), &PlayerNotifications::applicationTerminated, this,
            &MusicMonitor::onApplicationTerminated);
    connect(m_notifications.get(), &PlayerNotifications::playersChanged, this,
            &MusicMonitor::refreshPlayers);
    if (m_applications)
        connect(m_applications.get(), &PlayerApplications::changed, this,
                &MusicMonitor::refreshPlayers);
    m_publishedPlayers = players();
    // The start-up read waits until the running players are known.
    m_notifications->start([self = QPointer(this)] {
        if (self)
            self->poll(0);
    });
}

bool MusicMonitor::isRunning(MusicSource source) const {
    return m_notifications->isRunning(source);
}

std::optional<PlayerApplication> MusicMonitor::application(MusicSource source) const {
    if (!m_applications)
        return std::nullopt;
    return m_applications->find(source, m_notifications->desktopEntry(source));
}

QUrl MusicMonitor::appUrl(MusicSource source) const {
    const auto found = application(source);
    return found ? found->location : QUrl();
}

QString MusicMonitor::playerName(MusicSource source) const {
    const auto found = application(source);
    return displayName(source, found ? found->name : m_notifications->playerName(source));
}

QVariantList MusicMonitor::players() const {
    QVariantList list;
    for (const MusicSource source : kAllMusicSources) {
        const auto found = application(source);
        const QString ownName = found ? found->name : m_notifications->playerName(source);
        list << QVariantMap{
            {QStringLiteral("source"), rawValue(source)},
            {QStringLiteral("name"), displayName(source, ownName)},
            {QStringLiteral("openLabel"), openLabel(source, ownName)},
            {QStringLiteral("installed"), found.has_value()},
            {QStringLiteral("running"), isRunning(source)},
            {QStringLiteral("iconName"), found ? found->iconName : QString()},
            {QStringLiteral("appUrl"), found ? found->location : QUrl()},
        };
    }
    return list;
}

void MusicMonitor::refreshPlayers() {
    QVariantList now = players();
    if (now == m_publishedPlayers)
        return;
    m_publishedPlayers = std::move(now);
    emit playersChanged();
}

bool MusicMonitor::launch(const QString& source) {
    const auto parsed = musicSourceFromRaw(source);
    if (!parsed)
        return false;
    if (isRunning(*parsed)) {
        // What the player answers changes nothing shown.
        runScript(playerScripts::activate(*parsed), [](const ScriptOutput&) {});
        return true;
    }
    if (!m_applications)
        return false;
    const auto found = application(*parsed);
    return found && m_applications->launch(*found);
}

void MusicMonitor::handlePlayerInfo(const QVariantMap& info, MusicSource source) {
    const QString state = textValue(info, QStringLiteral("Player State")).value_or(QString());
    const QString lowered = state.toLower();
    if (lowered == u"stopped") {
        if (m_source == source)
            clear();
        return;
    }
    const bool playing = lowered == u"playing";
    // A paused player must not take over from one that is playing.
    if (!playing && m_source && *m_source != source && m_isPlaying)
        return;

    const std::optional<QString> oldTitle = m_title;
    setSource(source);
    if (const auto name = textValue(info, QStringLiteral("Name")))
        setTitle(name);
    if (const auto artist = textValue(info, QStringLiteral("Artist")))
        setArtist(artist);
    setIsPlaying(playing);
    if (source == MusicSource::appleMusic) {
        if (const auto total = numberValue(info, QStringLiteral("Total Time")))
            setDuration(*total / 1000);
    } else {
        if (const auto duration = numberValue(info, QStringLiteral("Duration")))
            setDuration(*duration / 1000);
        if (const auto position = numberValue(info, QStringLiteral("Playback Position"))) {
            setPosition(*position);
            setPositionDate(m_clock.now());
        }
    }
    refreshArtworkIfNeeded();
    if (playing && m_title != oldTitle && onTrackChange)
        onTrackChange();
    QMetaObject::invokeMethod(this, &MusicMonitor::refreshPosition, Qt::QueuedConnection);
}

void MusicMonitor::onApplicationTerminated(const QString& bundleIdentifier) {
    if (m_source && bundleIdentifier == zelvik::bundleIdentifier(*m_source))
        clear();
}

void MusicMonitor::poll(int index) {
    for (; index < int(kAllMusicSources.size()); ++index) {
        const MusicSource source = kAllMusicSources[std::size_t(index)];
        if (!isRunning(source))
            continue;
        runScript(playerScripts::status(source), [this, source, index](const ScriptOutput& output) {
            noteResult(output);
            // A playing player ends the poll; a paused one lets the next speak.
            if (!adoptStatus(source, output))
                poll(index + 1);
        });
        return;
    }
}

bool MusicMonitor::adoptStatus(MusicSource source, const ScriptOutput& output) {
    if (!output.string)
        return false;
    const QStringList parts = output.string->split(QLatin1Char('\n'));
    // "stopped" alone, or anything short, says nothing.
    if (parts.size() < 5)
        return false;
    const bool playing = parts.at(0).toLower() == u"playing";
    // A paused player is adopted only when nothing is shown yet.
    if (!playing && m_source)
        return false;
    setSource(source);
    setTitle(parts.at(1));
    setArtist(parts.at(2));
    setIsPlaying(playing);
    if (const auto duration = scriptNumber(parts.at(3)))
        setDuration(source == MusicSource::spotify ? *duration / 1000 : *duration);
    if (const auto position = scriptNumber(parts.at(4))) {
        setPosition(*position);
        setPositionDate(m_clock.now());
    }
    refreshArtworkIfNeeded();
    return playing;
}

void MusicMonitor::refreshPosition() {
    if (!m_source || !isRunning(*m_source))
        return;
    const MusicSource source = *m_source;
    runScript(playerScripts::position(source), [this, source](const ScriptOutput& output) {
        noteResult(output);
        // The playhead of a player no longer shown belongs to another track.
        if (m_source != source || !output.string)
            return;
        if (const auto position = scriptNumber(*output.string)) {
            setPosition(*position);
            setPositionDate(m_clock.now());
        }
    });
}

double MusicMonitor::currentPosition(double at) const {
    if (!m_isPlaying)
        return m_position;
    double position = m_position + (at - m_positionDate);
    if (m_duration > 0)
        position = std::min(position, m_duration);
    return position;
}

void MusicMonitor::togglePlayPause() {
    const ReferenceSeconds now = m_clock.now();
    setPosition(currentPosition(now));
    setPositionDate(now);
    setIsPlaying(!m_isPlaying);
    send(QStringLiteral("playpause"));
}

void MusicMonitor::send(const QString& command) {
    // A command never starts a player.
    if (!m_source || !isRunning(*m_source))
        return;
    runScript(playerScripts::command(*m_source, command),
              [this](const ScriptOutput& output) { noteResult(output); });
}

void MusicMonitor::seek(double seconds) {
    // NaN fails both comparisons and lands on 0 too.
    double target = std::min(seconds, m_duration);
    target = target >= 0 ? target : 0;
    setPosition(target);
    setPositionDate(m_clock.now());
    send(playerScripts::setPositionCommand(target));
}

void MusicMonitor::noteResult(const ScriptOutput& output) {
    if (!output.errorCode)
        setNeedsPermission(false);
    else if (*output.errorCode == scriptError::notPermitted)
        setNeedsPermission(true);
}

void MusicMonitor::clear() {
    setSource(std::nullopt);
    setTitle(std::nullopt);
    setArtist(std::nullopt);
    setArtwork(QImage());
    setAccent(kDefaultAccent);
    setIsPlaying(false);
    setDuration(0);
    setPosition(0);
    m_artworkKey.reset();
}

void MusicMonitor::runScript(const QString& script, std::function<void(const ScriptOutput&)> done) {
    m_runner.run(script, this, std::move(done));
}

// --- setters: each signals a real change only ---------------------------------

void MusicMonitor::setSource(std::optional<MusicSource> source) {
    if (m_source == source)
        return;
    m_source = source;
    emit sourceChanged();
}

void MusicMonitor::setTitle(const std::optional<QString>& title) {
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
    emit changed();
}

void MusicMonitor::setArtist(const std::optional<QString>& artist) {
    if (m_artist == artist)
        return;
    m_artist = artist;
    emit artistChanged();
}

void MusicMonitor::setArtwork(const QImage& image) {
    if (image.cacheKey() == m_artwork.cacheKey() || image == m_artwork)
        return;
    m_artwork = image;
    ++m_artworkSerial;
    m_published->set(image);
    emit artworkChanged();
}

QUrl MusicMonitor::artworkUrl() const {
    if (m_artwork.isNull())
        return {};
    return QUrl(QStringLiteral("image://zelvik-artwork/%1").arg(m_artworkSerial));
}

void MusicMonitor::setAccent(const QColor& accent) {
    if (m_accent == accent)
        return;
    m_accent = accent;
    emit accentChanged();
    emit changed();
}

void MusicMonitor::setIsPlaying(bool playing) {
    if (m_isPlaying == playing)
        return;
    m_isPlaying = playing;
    emit isPlayingChanged();
    emit changed();
}

void MusicMonitor::setDuration(double duration) {
    if (m_duration == duration)
        return;
    m_duration = duration;
    emit durationChanged();
}

void MusicMonitor::setPosition(double position) {
    if (m_position == position)
        return;
    m_position = position;
    emit positionChanged();
}

void MusicMonitor::setPositionDate(ReferenceSeconds date) {
    if (m_positionDate == date)
        return;
    m_positionDate = date;
    emit positionDateChanged();
}

void MusicMonitor::setNeedsPermission(bool needed) {
    if (m_needsPermission == needed)
        return;
    m_needsPermission = needed;
    emit needsPermissionChanged();
}

} // namespace zelvik
