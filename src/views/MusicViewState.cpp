#include "MusicViewState.h"

#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"
#include "settings/NotchSettings.h"

#include <QUrl>

#include <utility>

namespace zelvik {

MusicViewState::MusicViewState(QObject* parent)
    : QObject(parent)
    , m_accent(MusicMonitor::defaultAccent()) {}

NotchModel* MusicViewState::model() const {
    return m_model;
}

void MusicViewState::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
        disconnect(m_model->settings(), nullptr, this, nullptr);
    }
    m_model = model;
    if (model) {
        connect(model, &NotchModel::musicChanged, this, [this] { follow(m_model->music()); });
        connect(model->settings(), &NotchSettings::artworkGlowChanged, this,
                &MusicViewState::refresh);
    }
    emit modelChanged();
    follow(model ? model->music() : nullptr);
}

MusicMonitor* MusicViewState::monitor() const {
    return qobject_cast<MusicMonitor*>(m_music.data());
}

void MusicViewState::follow(MusicStatus* music) {
    if (m_music)
        disconnect(m_music, nullptr, this, nullptr);
    m_music = music;
    if (music) {
        connect(music, &MusicStatus::changed, this, &MusicViewState::refresh);
        if (MusicMonitor* full = monitor()) {
            for (const auto signal : {&MusicMonitor::sourceChanged, &MusicMonitor::titleChanged,
                                      &MusicMonitor::artistChanged, &MusicMonitor::artworkChanged,
                                      &MusicMonitor::accentChanged, &MusicMonitor::isPlayingChanged,
                                      &MusicMonitor::needsPermissionChanged})
                connect(full, signal, this, &MusicViewState::refresh);
            connect(full, &MusicMonitor::playersChanged, this, [this] {
                readPlayers();
                refresh();
            });
        }
    }
    readPlayers();
    refresh();
}

void MusicViewState::readPlayers() {
    // Asking for the players looks up desktop entries: done when they change,
    // not on every change of the track.
    MusicMonitor* full = monitor();
    m_players = full ? full->players() : QVariantList();
}

QString MusicViewState::playPauseSymbol() const {
    return m_isPlaying ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
}

double MusicViewState::glowOpacity(bool glowSetting, bool playing) {
    if (!glowSetting)
        return 0;
    return playing ? 0.5 : 0.15;
}

void MusicViewState::refresh() {
    bool hasTrack = false;
    QString title;
    QString artist;
    bool playing = false;
    QColor accent = MusicMonitor::defaultAccent();
    QImage artwork;
    bool permission = false;
    QString source;
    QString sourceName;
    QString sourceIcon;
    QVariantList buttons;

    if (MusicMonitor* full = monitor()) {
        hasTrack = full->hasTitle();
        title = full->trackTitle();
        artist = full->trackArtist();
        playing = full->isPlaying();
        accent = full->accent();
        artwork = full->artwork();
        permission = full->needsPermission();
        source = full->sourceName();
        for (const QVariant& entry : std::as_const(m_players)) {
            const QVariantMap player = entry.toMap();
            const bool installed = player.value(QStringLiteral("installed")).toBool();
            if (installed)
                buttons << QVariantMap{
                    {QStringLiteral("source"), player.value(QStringLiteral("source"))},
                    {QStringLiteral("label"), player.value(QStringLiteral("openLabel"))},
                };
            if (source.isEmpty() || player.value(QStringLiteral("source")).toString() != source)
                continue;
            sourceName = player.value(QStringLiteral("name")).toString();
            const QString icon = player.value(QStringLiteral("iconName")).toString();
            // A player that is not installed has no icon of its own.
            if (installed && !icon.isEmpty()) {
                QUrl url;
                url.setScheme(QStringLiteral("image"));
                url.setHost(QStringLiteral("zelvik-icon"));
                url.setPath(u'/' + icon);
                sourceIcon = url.toString();
            }
        }
    } else if (m_music) {
        title = m_music->trackTitle();
        hasTrack = !title.isEmpty();
        artist = m_music->trackArtist();
        playing = m_music->isPlaying();
        if (m_music->accentColor().isValid())
            accent = m_music->accentColor();
    }
    const bool glow = m_model ? m_model->settings()->artworkGlow() : true;

    // Pictures compare by identity: a new cover is a new image.
    if (hasTrack == m_hasTrack && title == m_title && artist == m_artist &&
        playing == m_isPlaying && accent == m_accent &&
        artwork.cacheKey() == m_artwork.cacheKey() && permission == m_needsPermission &&
        source == m_source && sourceName == m_sourceName && sourceIcon == m_sourceIcon &&
        buttons == m_openButtons && glow == m_glowSetting)
        return;
    m_hasTrack = hasTrack;
    m_title = title;
    m_artist = artist;
    m_isPlaying = playing;
    m_accent = accent;
    m_artwork = artwork;
    m_needsPermission = permission;
    m_source = source;
    m_sourceName = sourceName;
    m_sourceIcon = sourceIcon;
    m_openButtons = buttons;
    m_glowSetting = glow;
    emit changed();
}

void MusicViewState::previousTrack() {
    if (m_music)
        m_music->send(QStringLiteral("previous track"));
}

void MusicViewState::playPause() {
    if (MusicMonitor* full = monitor())
        full->togglePlayPause();
    else if (m_music)
        m_music->send(QStringLiteral("playpause"));
}

void MusicViewState::nextTrack() {
    if (m_music)
        m_music->send(QStringLiteral("next track"));
}

void MusicViewState::openPlayer(const QString& source) {
    if (MusicMonitor* full = monitor())
        full->launch(source);
}

void MusicViewState::openAutomationSettings() {
    if (MusicMonitor* full = monitor())
        full->openAutomationSettings();
}

} // namespace zelvik
