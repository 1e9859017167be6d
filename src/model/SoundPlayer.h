#pragma once

#include <QString>

namespace zelvik {

// Plays one of the named event sounds offered by the settings (the
// focusSoundChoices). The empty name and names it does not know play nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // True when a sound was started.
    virtual bool play(const QString& name) = 0;
};

} // namespace zelvik
