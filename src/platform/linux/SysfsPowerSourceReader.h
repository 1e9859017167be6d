#pragma once

#include "model/Scheduler.h"
#include "monitors/PowerSourceReader.h"

#include <QString>

#include <memory>

namespace zelvik {

class UdevPowerSupplyWatch;

// The kernel's power supplies (/sys/class/power_supply) as power-source
// descriptions. The system batteries (type Battery, not a peripheral's) make
// one internal battery; its charge comes from energy_now/energy_full, else
// charge_now/charge_full, else capacity out of 100. It is on AC power while a
// Mains or USB supply reports online.
//
// Changes arrive as the kernel's power-supply uevents through udev; as they
// can be missed (no udev daemon, a driver that sends none), the folder is
// also re-read once a minute on a machine that has shown a battery (or
// when uevents cannot be had at all).
class SysfsPowerSourceReader final : public PowerSourceReader {
public:
    static QString defaultRoot() { return QStringLiteral("/sys/class/power_supply"); }
    static constexpr std::chrono::minutes fallbackInterval{1};

    SysfsPowerSourceReader(Scheduler& scheduler, QString root = defaultRoot());
    ~SysfsPowerSourceReader() override;

    std::optional<QList<QVariantMap>> powerSources() override;
    bool subscribe(std::function<void()> changed) override;

private:
    void armFallback();
    bool hasBatteryEntry() const;

    Scheduler& m_scheduler;
    QString m_root;
    std::function<void()> m_changed;
    std::unique_ptr<UdevPowerSupplyWatch> m_uevents;
    TaskHandle m_fallback;
    bool m_hadBattery = false;
};

} // namespace zelvik
