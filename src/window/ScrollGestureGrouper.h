#pragma once

#include "NotchDesktop.h"
#include "model/Scheduler.h"

#include <chrono>
#include <functional>

namespace zelvik {

// Wheels and touchpads on X11 send bare scroll steps with no gesture phases.
// A burst of steps counts as one gesture: the first step begins it, and a
// pause of kPause with no step ends it (reported as an empty ended event).
class ScrollGestureGrouper {
public:
    static constexpr std::chrono::milliseconds kPause{250};

    ScrollGestureGrouper(Scheduler& scheduler, std::function<void(const ScrollEvent&)> deliver);
    ~ScrollGestureGrouper();

    // One scroll step, in points.
    void step(double dx, double dy);
    bool inGesture() const { return m_inGesture; }

private:
    Scheduler& m_scheduler;
    std::function<void(const ScrollEvent&)> m_deliver;
    bool m_inGesture = false;
    TaskHandle m_pauseTask;
};

} // namespace zelvik
