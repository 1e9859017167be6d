#pragma once

#include "BatteryEvent.h"
#include "PowerSourceReader.h"

#include <QObject>

#include <functional>
#include <memory>
#include <set>

namespace zelvik {

// Watches the internal battery and raises an event when the charger is
// connected or removed, when the battery runs low on battery power (once per
// threshold until the charger comes back) and when it becomes full. Lives
// on the main thread.
class BatteryMonitor : public QObject {
    Q_OBJECT
    // Level of the internal battery in percent, as last read.
    Q_PROPERTY(int level READ level NOTIFY levelChanged)
    // Whether the machine runs on an external power supply.
    Q_PROPERTY(bool isPluggedIn READ isPluggedIn NOTIFY isPluggedInChanged)
    Q_PROPERTY(bool isCharging READ isCharging NOTIFY isChargingChanged)
    // Whether the last read found an internal battery at all.
    Q_PROPERTY(bool hasBattery READ hasBattery NOTIFY hasBatteryChanged)

public:
    // Without a reader nothing can be read and the monitor stays as it is.
    explicit BatteryMonitor(std::unique_ptr<PowerSourceReader> reader = nullptr,
                            QObject* parent = nullptr);
    ~BatteryMonitor() override;

    void setReader(std::unique_ptr<PowerSourceReader> reader);

    [[nodiscard]] int level() const { return m_level; }
    [[nodiscard]] bool isPluggedIn() const { return m_isPluggedIn; }
    [[nodiscard]] bool isCharging() const { return m_isCharging; }
    [[nodiscard]] bool hasBattery() const { return m_hasBattery; }
    // Thresholds warned about since the charger was last connected.
    [[nodiscard]] const std::set<int>& warnedLevels() const { return m_warnedLevels; }
    // True once a read has completed; no event fires before that.
    [[nodiscard]] bool didRead() const { return m_didRead; }
    [[nodiscard]] bool isSubscribed() const { return m_subscribed; }

    // Reads once at once (which only sets the baseline), then follows the
    // system's change notification. Later calls do nothing.
    void start();
    // Re-reads every power source, raising events against the last reading.
    void read();

    std::function<void(const BatteryEvent&)> onEvent;
    // The user's low-battery threshold in percent; 10 always applies too.
    std::function<int()> lowThreshold;

signals:
    void levelChanged();
    void isPluggedInChanged();
    void isChargingChanged();
    void hasBatteryChanged();

private:
    void applyEventRules(int newLevel, bool plugged);
    void fire(const BatteryEvent& event);
    void setLevel(int level);
    void setIsPluggedIn(bool value);
    void setIsCharging(bool value);
    void setHasBattery(bool value);

    std::unique_ptr<PowerSourceReader> m_reader;
    int m_level = 100;
    bool m_isPluggedIn = false;
    bool m_isCharging = false;
    bool m_hasBattery = false;
    std::set<int> m_warnedLevels;
    bool m_didRead = false;
    bool m_started = false;
    bool m_subscribed = false;
};

} // namespace zelvik
