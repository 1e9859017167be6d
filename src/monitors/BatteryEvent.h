#pragma once

namespace zelvik {

// A change of the internal battery that deserves a notice. `level` is the
// battery level in percent at that moment; a full battery carries none.
struct BatteryEvent {
    enum class Kind { pluggedIn, unplugged, low, full };

    Kind kind = Kind::full;
    int level = 100;

    static BatteryEvent pluggedIn(int level) { return {Kind::pluggedIn, level}; }
    static BatteryEvent unplugged(int level) { return {Kind::unplugged, level}; }
    static BatteryEvent low(int level) { return {Kind::low, level}; }
    static BatteryEvent full() { return {Kind::full, 100}; }

    friend bool operator==(const BatteryEvent&, const BatteryEvent&) = default;
};

} // namespace zelvik
