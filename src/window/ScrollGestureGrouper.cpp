#include "ScrollGestureGrouper.h"

namespace zelvik {

ScrollGestureGrouper::ScrollGestureGrouper(Scheduler& scheduler,
                                           std::function<void(const ScrollEvent&)> deliver)
    : m_scheduler(scheduler)
    , m_deliver(std::move(deliver)) {}

ScrollGestureGrouper::~ScrollGestureGrouper() {
    m_pauseTask.cancel();
}

void ScrollGestureGrouper::step(double dx, double dy) {
    ScrollEvent event;
    event.began = !m_inGesture;
    event.deltaX = dx;
    event.deltaY = dy;
    m_inGesture = true;
    m_pauseTask.cancel();
    m_pauseTask = m_scheduler.after(kPause, [this] {
        m_inGesture = false;
        ScrollEvent end;
        end.ended = true;
        m_deliver(end);
    });
    m_deliver(event);
}

} // namespace zelvik
