#include "EqualizerMotion.h"

#include "model/NotchModel.h"

#include <chrono>
#include <cmath>

namespace zelvik {

EqualizerMotion::EqualizerMotion(QObject* parent)
    : QObject(parent) {}

EqualizerMotion::~EqualizerMotion() {
    m_frame.cancel();
}

NotchModel* EqualizerMotion::model() const {
    return m_model;
}

void EqualizerMotion::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    m_frame.cancel();
    m_model = model;
    emit modelChanged();
    refresh();
}

void EqualizerMotion::setPlaying(bool playing) {
    if (m_playing == playing)
        return;
    m_playing = playing;
    emit playingChanged();
    refresh();
}

void EqualizerMotion::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    refresh();
}

double EqualizerMotion::barHeight(int index, double seconds, bool playing) {
    if (!playing || !std::isfinite(seconds))
        return 3;
    // Each bar has its own rate and phase, so the row never moves in step.
    return 4 + 10 * std::abs(std::sin(seconds * (1.7 * index + 5) + 1.3 * index));
}

void EqualizerMotion::refresh() {
    const bool moving = m_playing && m_active && m_model;
    const double now = m_model ? m_model->clock().now() : 0;
    QList<qreal> heights;
    for (int i = 0; i < kBars; ++i)
        heights << barHeight(i, now, moving);
    if (heights != m_heights) {
        m_heights = heights;
        emit heightsChanged();
    }
    if (!moving) {
        m_frame.cancel();
        return;
    }
    if (m_frame.isPending())
        return;
    m_frame = m_model->scheduler().after(std::chrono::milliseconds(kFrameMs), [this] {
        m_frame = {};
        refresh();
    });
}

} // namespace zelvik
