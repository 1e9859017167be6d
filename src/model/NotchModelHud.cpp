#include "Delays.h"
#include "NotchModel.h"
#include "settings/NotchSettings.h"

#include <cmath>

namespace zelvik {

namespace {

// A stored duration that is not a number still lets the notice go.
constexpr double kDefaultHudSeconds = 2.6;

} // namespace

void NotchModel::showHUD(const HUDEvent& event) {
    // A notice is never queued: while the notch is open it is simply lost.
    if (m_status == NotchStatus::open)
        return;
    setHud(event);
    hapticTick();
    const double seconds = m_settings->hudDuration();
    const auto delay =
        delayFromSeconds(std::isnan(seconds) ? kDefaultHudSeconds : seconds, Rounding::nearest);
    m_hudTask.cancel();
    m_hudTask = m_scheduler.after(delay, [self = QPointer(this)] {
        if (self)
            self->setHud(std::nullopt);
    });
}

} // namespace zelvik
