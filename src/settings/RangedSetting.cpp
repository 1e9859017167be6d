#include "RangedSetting.h"

#include "AppLanguage.h"
#include "NotchSettings.h"

#include <algorithm>
#include <cmath>

namespace zelvik {

RangedSetting::RangedSetting(QObject* parent)
    : QObject(parent) {}

void RangedSetting::setSettings(NotchSettings* settings) {
    if (m_settings == settings)
        return;
    m_settings = settings;
    emit settingsChanged();
    rebind();
}

void RangedSetting::setKey(const QString& key) {
    if (m_key == key)
        return;
    m_key = key;
    emit keyChanged();
    rebind();
}

void RangedSetting::setFrom(double from) {
    if (from == m_from)
        return;
    m_from = from;
    emit rangeChanged();
    refresh();
}

void RangedSetting::setTo(double to) {
    if (to == m_to)
        return;
    m_to = to;
    emit rangeChanged();
    refresh();
}

void RangedSetting::setStep(double step) {
    if (step == m_step)
        return;
    m_step = step;
    emit rangeChanged();
}

void RangedSetting::setFormat(Format format) {
    if (format == m_format)
        return;
    m_format = format;
    emit formatChanged();
    emit textChanged();
}

void RangedSetting::rebind() {
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_property = {};
    if (m_settings && !m_key.isEmpty()) {
        const QMetaObject* meta = m_settings->metaObject();
        const int index = meta->indexOfProperty(m_key.toLatin1().constData());
        const QMetaProperty property = index >= 0 ? meta->property(index) : QMetaProperty();
        const int type = property.isValid() ? property.metaType().id() : QMetaType::UnknownType;
        if (property.isWritable() && property.hasNotifySignal() &&
            (type == QMetaType::Double || type == QMetaType::Int)) {
            m_property = property;
            const QMetaMethod refreshSlot =
                metaObject()->method(metaObject()->indexOfSlot("refresh()"));
            m_connections << connect(m_settings, property.notifySignal(), this, refreshSlot);
        }
        m_connections << connect(m_settings, &NotchSettings::languageChanged, this,
                                 &RangedSetting::textChanged);
    }
    refresh();
}

double RangedSetting::storedValue() const {
    if (!m_settings || !m_property.isValid())
        return std::nan("");
    return m_property.read(m_settings).toDouble();
}

double RangedSetting::defaultValue() const {
    for (const auto& [name, value] : NotchSettings::registeredDefaults())
        if (name == m_key)
            return value.toDouble();
    return m_from;
}

void RangedSetting::refresh() {
    double shown = storedValue();
    if (std::isnan(shown))
        shown = defaultValue();
    const double low = std::min(m_from, m_to);
    const double high = std::max(m_from, m_to);
    shown = std::clamp(shown, low, high);
    if (shown == m_value)
        return;
    m_value = shown;
    emit valueChanged();
    emit textChanged();
}

QString RangedSetting::text() const {
    return formatted(m_format, m_value);
}

QString RangedSetting::formatted(Format format, double value) {
    switch (format) {
    case Format::FractionAsPercent:
        return percentText(int(std::lround(value * 100)));
    case Format::Percent:
        return percentText(int(std::lround(value)));
    case Format::Milliseconds:
        return millisecondsText(value);
    case Format::Seconds:
        return secondsText(value);
    case Format::Minutes:
        return QString::number(std::lround(value)) + localized(" min", " dk");
    }
    return {};
}

double RangedSetting::snapped(double candidate) const {
    if (std::isnan(candidate))
        return m_value;
    const double low = std::min(m_from, m_to);
    const double high = std::max(m_from, m_to);
    double v = std::clamp(candidate, low, high);
    if (m_step > 0) {
        const double steps = std::round((v - low) / m_step);
        v = low + steps * m_step;
        // The last step may overshoot a range that is no whole number of steps.
        if (v > high + 1e-9)
            v -= m_step;
        // Keep decimal steps exact (1.5 + 3 * 0.5 is 3.0, not 2.9999...).
        v = std::round(v * 1e6) / 1e6;
    }
    return v;
}

void RangedSetting::commit(double candidate) {
    if (!m_settings || !m_property.isValid())
        return;
    const double v = snapped(candidate);
    if (m_property.metaType().id() == QMetaType::Int)
        m_property.write(m_settings, int(std::lround(v)));
    else
        m_property.write(m_settings, v);
}

void RangedSetting::stepBy(int steps) {
    const double step = m_step > 0 ? m_step : 1;
    commit(m_value + steps * step);
}

} // namespace zelvik
