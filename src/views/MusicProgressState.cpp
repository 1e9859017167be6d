#include "MusicProgressState.h"

#include "model/FocusTimer.h"
#include "model/NotchModel.h"
#include "monitors/MusicMonitor.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zelvik {

MusicProgressState::MusicProgressState(QObject* parent)
    : QObject(parent) {}

MusicProgressState::~MusicProgressState() {
    m_tick.cancel();
}

NotchModel* MusicProgressState::model() const {
    return m_model;
}

void MusicProgressState::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model)
        connect(model, &NotchModel::musicChanged, this, &MusicProgressState::follow);
    emit modelChanged();
    follow();
}

void MusicProgressState::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    refresh();
}

void MusicProgressState::follow() {
    if (m_monitor)
        disconnect(m_monitor, nullptr, this, nullptr);
    m_monitor = m_model ? qobject_cast<MusicMonitor*>(m_model->music()) : nullptr;
    if (m_monitor) {
        for (const auto signal :
             {&MusicMonitor::durationChanged, &MusicMonitor::positionChanged,
              &MusicMonitor::positionDateChanged, &MusicMonitor::isPlayingChanged})
            connect(m_monitor, signal, this, &MusicProgressState::refresh);
    }
    refresh();
}

double MusicProgressState::seekFraction(double x, double width) {
    if (!std::isfinite(x))
        return 0;
    const double fraction = width > 1 ? x / width : x;
    return std::clamp(fraction, 0.0, 1.0);
}

void MusicProgressState::seekAt(double x, double width) {
    if (!m_monitor)
        return;
    m_monitor->seek(seekFraction(x, width) * m_monitor->duration());
}

void MusicProgressState::refresh() {
    double position = 0;
    double duration = 0;
    if (m_monitor && m_model) {
        position = m_monitor->currentPosition(m_model->clock().now());
        duration = m_monitor->duration();
    }
    const double fraction = duration > 0 ? std::clamp(position / duration, 0.0, 1.0) : 0.0;
    const QString elapsed = formatCountdown(position);
    const QString remaining =
        QStringLiteral("-") + formatCountdown(std::max(0.0, duration - position));
    schedule();
    if (fraction == m_fraction && elapsed == m_elapsedText && remaining == m_remainingText)
        return;
    m_fraction = fraction;
    m_elapsedText = elapsed;
    m_remainingText = remaining;
    emit changed();
}

void MusicProgressState::schedule() {
    // Only a shown bar of a playing song moves; a paused playhead stands.
    const bool moving = m_active && m_model && m_monitor && m_monitor->isPlaying();
    if (!moving) {
        m_tick.cancel();
        return;
    }
    if (m_tick.isPending())
        return;
    m_tick = m_model->scheduler().after(std::chrono::milliseconds(kRefreshMs), [this] {
        m_tick = {};
        refresh();
    });
}

} // namespace zelvik
