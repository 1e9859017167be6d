#pragma once

#include <QString>

#include <functional>

namespace zelvik {

// One music player application as the desktop knows it.
struct PlayerApp {
    // The desktop entry's id ("spotify" for spotify.desktop); empty when the
    // player is not installed and none is running.
    QString desktopId;
    // The entry's name, else what the player calls itself; may be empty.
    QString name;
    // The icon theme name or absolute path of the entry's icon; may be empty.
    QString iconName;
    bool installed = false;
    bool running = false;

    friend bool operator==(const PlayerApp&, const PlayerApp&) = default;
};

// Where the two players of the music page are found: Spotify, and the
// desktop's other music player (the one that plays first, else the first
// that runs, else one that is installed).
class PlayerAppDirectory {
public:
    virtual ~PlayerAppDirectory() = default;
    virtual PlayerApp spotify() const = 0;
    virtual PlayerApp otherPlayer() const = 0;
    // Starts an installed player that is not running, or brings a running
    // one forward. False when nothing could be done.
    virtual bool open(const PlayerApp& app) = 0;
    // While on, onChange is called on the main thread when players start or
    // quit. Off by default: watching wakes the program for every program
    // that comes and goes on the bus.
    virtual void setWatching(bool watching) { (void)watching; }
    std::function<void()> onChange;
};

} // namespace zelvik
