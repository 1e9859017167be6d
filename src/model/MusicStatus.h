#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>

namespace zelvik {

// What the notch model reads of the music monitor: whether a song plays, its
// title and artist, the artwork's accent colour, a way to refresh the
// position, and a way to send a player command ("next track", "previous
// track", ...). changed() fires when playing, title or accent colour change.
class MusicStatus : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY changed)
    Q_PROPERTY(QString trackTitle READ trackTitle NOTIFY changed)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY changed)
public:
    using QObject::QObject;

    // Starts listening to the players. Called once by the model's start().
    virtual void start() = 0;
    virtual bool isPlaying() const = 0;
    // Empty when no track is known.
    virtual QString trackTitle() const = 0;
    virtual QString trackArtist() const = 0;
    virtual void refreshPosition() = 0;
    virtual void send(const QString& command) = 0;
    // The accent colour of the playing song's artwork; invalid when unknown.
    virtual QColor accentColor() const { return {}; }

    // Called when a new track starts playing; set by the model.
    std::function<void()> onTrackChange;

signals:
    void changed();
};

} // namespace zelvik
