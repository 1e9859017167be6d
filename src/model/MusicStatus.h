#pragma once

#include <QColor>
#include <QObject>
#include <QString>

namespace zelvik {

// What the notch model reads of the music monitor: whether a song plays and
// its title, a way to refresh the position, and a way to send a player
// command ("next track", "previous track", ...). changed() fires when
// playing, title or accent colour change.
class MusicStatus : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isPlaying READ isPlaying NOTIFY changed)
    Q_PROPERTY(QString trackTitle READ trackTitle NOTIFY changed)
    Q_PROPERTY(QColor accentColor READ accentColor NOTIFY changed)
public:
    using QObject::QObject;

    virtual bool isPlaying() const = 0;
    virtual QString trackTitle() const = 0;
    virtual void refreshPosition() = 0;
    virtual void send(const QString& command) = 0;
    // The accent colour of the playing song's artwork; invalid when unknown.
    virtual QColor accentColor() const { return {}; }

signals:
    void changed();
};

} // namespace zelvik
