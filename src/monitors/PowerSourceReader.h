#pragma once

#include <QList>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace zelvik {

// Keys of a power source's description, and the texts they carry.
namespace powerSourceKey {
inline constexpr char type[] = "Type";                        // "InternalBattery", ...
inline constexpr char currentCapacity[] = "Current Capacity"; // integer
inline constexpr char maxCapacity[] = "Max Capacity";         // integer
inline constexpr char state[] = "Power Source State";         // "AC Power" or "Battery Power"
inline constexpr char isCharging[] = "Is Charging";           // boolean
} // namespace powerSourceKey

inline constexpr char kInternalBattery[] = "InternalBattery";
inline constexpr char kACPower[] = "AC Power";
inline constexpr char kBatteryPower[] = "Battery Power";

// The system's power sources as the battery monitor reads them: one
// description per source, keyed as above.
class PowerSourceReader {
public:
    virtual ~PowerSourceReader() = default;

    // Every power source's description; absent when the information cannot
    // be read at all (which is not the same as a machine without sources).
    virtual std::optional<QList<QVariantMap>> powerSources() = 0;

    // Runs `changed` on the main thread whenever the sources may have
    // changed. False when no change notification can be had.
    virtual bool subscribe(std::function<void()> changed) = 0;
};

} // namespace zelvik
