#include "BatteryMonitor.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvik {

Q_LOGGING_CATEGORY(lcBattery, "zelvik.battery", QtWarningMsg)

namespace {

// The threshold that always applies besides the user's.
constexpr int kFixedLowThreshold = 10;
constexpr int kDefaultLowThreshold = 20;

std::optional<qint64> integerValue(const QVariantMap& description, const char* key) {
    const auto it = description.constFind(QLatin1String(key));
    if (it == description.cend())
        return std::nullopt;
    bool ok = false;
    const qint64 value = it->toLongLong(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

// cur / max in percent, rounded half away from zero. Not clamped to 0...100;
// only kept inside int so a nonsensical description cannot overflow.
int levelFrom(qint64 current, qint64 maximum) {
    const double percent = std::round(double(current) / double(maximum) * 100.0);
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return int(std::clamp(percent, lowest, highest));
}

} // namespace

BatteryMonitor::BatteryMonitor(std::unique_ptr<PowerSourceReader> reader, QObject* parent)
    : QObject(parent)
    , lowThreshold([] { return kDefaultLowThreshold; })
    , m_reader(std::move(reader)) {}

BatteryMonitor::~BatteryMonitor() = default;

void BatteryMonitor::setReader(std::unique_ptr<PowerSourceReader> reader) {
    m_reader = std::move(reader);
}

void BatteryMonitor::start() {
    if (m_started)
        return;
    m_started = true;
    read();
    if (!m_reader)
        return;
    // The reader outlives neither the monitor nor its subscription.
    m_subscribed = m_reader->subscribe([this] { read(); });
    if (!m_subscribed)
        qCDebug(lcBattery) << "no power-source change notification; keeping the first reading";
}

void BatteryMonitor::read() {
    if (!m_reader)
        return;
    const std::optional<QList<QVariantMap>> sources = m_reader->powerSources();
    if (!sources)
        return;
    bool found = false;
    for (const QVariantMap& description : *sources) {
        if (description.isEmpty())
            continue;
        if (description.value(QLatin1String(powerSourceKey::type)).toString() !=
            QLatin1String(kInternalBattery))
            continue;
        const qint64 current =
            integerValue(description, powerSourceKey::currentCapacity).value_or(0);
        qint64 maximum = integerValue(description, powerSourceKey::maxCapacity).value_or(100);
        if (maximum <= 0)
            maximum = 100;
        const int newLevel = levelFrom(current, maximum);
        const bool plugged = description.value(QLatin1String(powerSourceKey::state)).toString() ==
                             QLatin1String(kACPower);
        const bool charging = description.value(QLatin1String(powerSourceKey::isCharging)).toBool();
        if (m_didRead)
            applyEventRules(newLevel, plugged);
        setLevel(newLevel);
        setIsPluggedIn(plugged);
        setIsCharging(charging);
        found = true;
    }
    setHasBattery(found);
    m_didRead = true;
}

void BatteryMonitor::applyEventRules(int newLevel, bool plugged) {
    if (plugged) {
        if (!m_isPluggedIn) {
            m_warnedLevels.clear();
            fire(BatteryEvent::pluggedIn(newLevel));
        }
        if (newLevel >= 100 && m_level < 100)
            fire(BatteryEvent::full());
        return;
    }
    if (m_isPluggedIn) {
        fire(BatteryEvent::unplugged(newLevel));
        return;
    }
    std::set<int, std::greater<>> thresholds{lowThreshold ? lowThreshold() : kDefaultLowThreshold,
                                             kFixedLowThreshold};
    for (const int threshold : thresholds) {
        if (newLevel <= threshold && threshold < m_level && !m_warnedLevels.contains(threshold)) {
            m_warnedLevels.insert(threshold);
            fire(BatteryEvent::low(newLevel));
            return;
        }
    }
}

void BatteryMonitor::fire(const BatteryEvent& event) {
    if (onEvent)
        onEvent(event);
}

void BatteryMonitor::setLevel(int level) {
    if (m_level == level)
        return;
    m_level = level;
    emit levelChanged();
}

void BatteryMonitor::setIsPluggedIn(bool value) {
    if (m_isPluggedIn == value)
        return;
    m_isPluggedIn = value;
    emit isPluggedInChanged();
}

void BatteryMonitor::setIsCharging(bool value) {
    if (m_isCharging == value)
        return;
    m_isCharging = value;
    emit isChargingChanged();
}

void BatteryMonitor::setHasBattery(bool value) {
    if (m_hasBattery == value)
        return;
    m_hasBattery = value;
    emit hasBatteryChanged();
}

} // namespace zelvik
