#include "FocusViewState.h"

#include "model/FocusTimer.h"
#include "model/NotchModel.h"
#include "settings/AppLanguage.h"

#include <algorithm>
#include <cmath>

namespace zelvik {

FocusViewState::FocusViewState(QObject* parent)
    : QObject(parent)
    , m_ticker([this] { refresh(); }) {}

NotchModel* FocusViewState::model() const {
    return m_model;
}

void FocusViewState::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model)
        connect(model, &NotchModel::focusChanged, this, &FocusViewState::refresh);
    emit modelChanged();
    refresh();
}

void FocusViewState::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    refresh();
}

void FocusViewState::refresh() {
    if (!m_model)
        return;
    const FocusState& focus = m_model->focus();
    const ReferenceSeconds now = m_model->clock().now();

    const bool running = focus.endDate && *focus.endDate > now;
    const bool paused = !focus.endDate && focus.pausedRemaining;
    double remaining = focus.duration;
    if (focus.endDate)
        remaining = std::max(0.0, *focus.endDate - now);
    else if (focus.pausedRemaining)
        remaining = *focus.pausedRemaining;
    const double progress = focus.duration > 0 ? remaining / focus.duration : 0;

    QString state = localized("Ready", "Hazır");
    QString action = localized("Start", "Başlat");
    if (running) {
        state = localized("Focusing, counting down in the notch",
                          "Odaklanıyorsun, notch'ta geri sayıyor");
        action = localized("Pause", "Duraklat");
    } else if (paused) {
        state = localized("Paused", "Duraklatıldı");
        action = localized("Resume", "Devam");
    }

    // A chip is chosen by the period's length alone, so a break of a length
    // no preset has selects none.
    QVariantList presets;
    const double wholeSeconds = std::isfinite(focus.duration) ? std::trunc(focus.duration) : -1;
    for (const FocusPreset& preset : focusPresets()) {
        presets << QVariantMap{
            {QStringLiteral("minutes"), preset.minutes},
            {QStringLiteral("label"), preset.label},
            {QStringLiteral("title"), QString::number(preset.minutes) + localized(" min", " dk")},
            {QStringLiteral("selected"), preset.minutes * 60.0 == wholeSeconds},
        };
    }

    if (m_active && running)
        m_ticker.follow(m_model->scheduler(), m_model->clock(), focus.endDate);
    else
        m_ticker.stop();

    const QString timeText = formatCountdown(remaining);
    const QString symbol = running ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
    if (running == m_running && paused == m_paused && remaining == m_remaining &&
        progress == m_progress && timeText == m_timeText && focus.label == m_label &&
        state == m_stateText && action == m_actionText && symbol == m_actionSymbol &&
        presets == m_presets)
        return;
    m_running = running;
    m_paused = paused;
    m_remaining = remaining;
    m_progress = progress;
    m_timeText = timeText;
    m_label = focus.label;
    m_stateText = state;
    m_actionText = action;
    m_actionSymbol = symbol;
    m_presets = presets;
    emit changed();
}

void FocusViewState::startOrPause() {
    if (m_model)
        m_model->startOrPauseFocus();
}

void FocusViewState::choosePreset(int minutes) {
    if (!m_model)
        return;
    for (const FocusPreset& preset : focusPresets()) {
        if (preset.minutes == minutes) {
            m_model->choosePreset(preset);
            return;
        }
    }
}

void FocusViewState::reset() {
    if (m_model)
        m_model->resetFocus();
}

} // namespace zelvik
