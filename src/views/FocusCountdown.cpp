#include "FocusCountdown.h"

#include "model/FocusTimer.h"
#include "model/NotchModel.h"

#include <cmath>

namespace zelvik {

std::optional<double> optionalSeconds(const QVariant& value) {
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!value.isValid() || !ok || !std::isfinite(seconds))
        return std::nullopt;
    return seconds;
}

FocusCountdown::FocusCountdown(QObject* parent)
    : QObject(parent)
    , m_ticker([this] { refresh(); }) {}

NotchModel* FocusCountdown::model() const {
    return m_model;
}

void FocusCountdown::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    m_model = model;
    emit modelChanged();
    refresh();
}

void FocusCountdown::setEnd(const QVariant& end) {
    if (optionalSeconds(end) == optionalSeconds(m_end))
        return;
    m_end = end;
    emit endChanged();
    refresh();
}

void FocusCountdown::setActive(bool active) {
    if (m_active == active)
        return;
    m_active = active;
    emit activeChanged();
    refresh();
}

void FocusCountdown::refresh() {
    const std::optional<double> end = optionalSeconds(m_end);
    QString text = QStringLiteral("00:00");
    if (m_model && end) {
        const double remaining = *end - m_model->clock().now();
        if (remaining > 0)
            text = formatCountdown(remaining);
    }
    if (m_model && m_active && end)
        m_ticker.follow(m_model->scheduler(), m_model->clock(), end);
    else
        m_ticker.stop();
    if (text != m_text) {
        m_text = text;
        emit textChanged();
    }
}

} // namespace zelvik
