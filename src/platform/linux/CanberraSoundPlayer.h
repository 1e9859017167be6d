#pragma once

#include "model/SoundPlayer.h"

#include <QString>

#include <optional>

struct ca_context;

namespace zelvik {

// The freedesktop sound-theme event id that stands in for one of the offered
// sound names ("Glass" plays "complete"); absent for the empty name and for
// every name that is not offered.
std::optional<QString> freedesktopSoundId(const QString& name);

// Event sounds through libcanberra and the desktop's sound theme. One
// context serves every sound, so a sound plays to its end even when the
// next one starts.
class CanberraSoundPlayer final : public SoundPlayer {
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;

    CanberraSoundPlayer(const CanberraSoundPlayer&) = delete;
    CanberraSoundPlayer& operator=(const CanberraSoundPlayer&) = delete;

    bool play(const QString& name) override;

private:
    ca_context* m_context = nullptr;
};

} // namespace zelvik
