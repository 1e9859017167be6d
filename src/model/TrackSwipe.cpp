#include "MusicStatus.h"
#include "NotchModel.h"
#include "settings/NotchSettings.h"

#include <cmath>

namespace zelvik {

namespace {

// Points of horizontal scroll a gesture must pass (strictly) to skip a song.
constexpr double kSwipeThreshold = 50;

} // namespace

void NotchModel::swipe(bool began, bool ended, double dx, double dy) {
    if (!m_settings->swipeToSkip() || m_status == NotchStatus::open)
        return;
    if (!m_music || m_music->trackTitle().isEmpty())
        return;
    if (began) {
        m_swipeAccumulator = 0;
        m_swipeTriggered = false;
    }
    // Vertical-dominant events add nothing but keep what was summed.
    if (!m_swipeTriggered && std::abs(dx) > std::abs(dy)) {
        m_swipeAccumulator += dx;
        if (std::abs(m_swipeAccumulator) > kSwipeThreshold) {
            m_swipeTriggered = true;
            // Content moving left (negative dx) means the next song.
            m_music->send(m_swipeAccumulator < 0 ? QStringLiteral("next track")
                                                 : QStringLiteral("previous track"));
            hapticTick();
        }
    }
    if (ended) {
        m_swipeAccumulator = 0;
        m_swipeTriggered = false;
    }
}

} // namespace zelvik
