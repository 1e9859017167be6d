#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

namespace zelvik {

class MusicMonitor;
class MusicStatus;
class NotchModel;

// What the music views draw of the now-playing state: the track, its
// artwork and accent, the player's badge, the "Open …" buttons of the
// installed players, and the artwork's size and glow, which follow playing
// and the glow setting. Reads the model's music monitor; a plain music
// status (no monitor behind it) gives the track, playing and accent only.
// The buttons of the music tab run through here, so QML only forwards them.
class MusicViewState : public QObject {
    Q_OBJECT
    Q_MOC_INCLUDE("model/NotchModel.h")
    Q_PROPERTY(zelvik::NotchModel* model READ model WRITE setModel NOTIFY modelChanged)
    // A track is known: the playing layout, else the empty state.
    Q_PROPERTY(bool hasTrack READ hasTrack NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString artist READ artist NOTIFY changed)
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY changed)
    // The cover's tint; the default pink without one.
    Q_PROPERTY(QColor accent READ accent NOTIFY changed)
    // The cover itself; a null image without one.
    Q_PROPERTY(QImage artwork READ artwork NOTIFY changed)
    Q_PROPERTY(bool hasArtwork READ hasArtwork NOTIFY changed)
    Q_PROPERTY(bool needsPermission READ needsPermission NOTIFY changed)
    // The shown player ("spotify", "appleMusic"), empty for none.
    Q_PROPERTY(QString source READ source NOTIFY changed)
    // The shown player's name for its badge's tooltip.
    Q_PROPERTY(QString sourceName READ sourceName NOTIFY changed)
    // The shown player's own icon as an image URL; empty when it is not
    // installed or names no icon (the badge then draws the note).
    Q_PROPERTY(QString sourceIcon READ sourceIcon NOTIFY changed)
    // One map per installed player, Spotify first: "source", "label".
    Q_PROPERTY(QVariantList openButtons READ openButtons NOTIFY changed)
    // The artwork is full size while playing and shrinks when paused.
    Q_PROPERTY(double artworkScale READ artworkScale NOTIFY changed)
    // Strength of the artwork's glow in the accent colour.
    Q_PROPERTY(double glowOpacity READ glowOpacity NOTIFY changed)
    Q_PROPERTY(QString playPauseSymbol READ playPauseSymbol NOTIFY changed)

public:
    explicit MusicViewState(QObject* parent = nullptr);

    NotchModel* model() const;
    void setModel(NotchModel* model);

    bool hasTrack() const { return m_hasTrack; }
    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    bool isPlaying() const { return m_isPlaying; }
    QColor accent() const { return m_accent; }
    QImage artwork() const { return m_artwork; }
    bool hasArtwork() const { return !m_artwork.isNull(); }
    bool needsPermission() const { return m_needsPermission; }
    QString source() const { return m_source; }
    QString sourceName() const { return m_sourceName; }
    QString sourceIcon() const { return m_sourceIcon; }
    QVariantList openButtons() const { return m_openButtons; }
    double artworkScale() const { return m_isPlaying ? 1.0 : 0.9; }
    double glowOpacity() const { return glowOpacity(m_glowSetting, m_isPlaying); }
    QString playPauseSymbol() const;

    // The glow's strength: bright while playing, faint while paused, none
    // when the setting is off.
    static double glowOpacity(bool glowSetting, bool playing);

    // The controls of the music tab.
    Q_INVOKABLE void previousTrack();
    Q_INVOKABLE void playPause();
    Q_INVOKABLE void nextTrack();
    // Starts a player from its desktop entry (the empty state's buttons).
    Q_INVOKABLE void openPlayer(const QString& source);
    Q_INVOKABLE void openAutomationSettings();

signals:
    void modelChanged();
    void changed();

private:
    void follow(MusicStatus* music);
    void readPlayers();
    void refresh();
    MusicMonitor* monitor() const;

    QPointer<NotchModel> m_model;
    QPointer<MusicStatus> m_music;
    QVariantList m_players;
    bool m_hasTrack = false;
    QString m_title;
    QString m_artist;
    bool m_isPlaying = false;
    QColor m_accent;
    QImage m_artwork;
    bool m_needsPermission = false;
    QString m_source;
    QString m_sourceName;
    QString m_sourceIcon;
    QVariantList m_openButtons;
    bool m_glowSetting = true;
};

} // namespace zelvik
