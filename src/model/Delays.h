#pragma once

#include <chrono>
#include <cstdint>
#include <limits>

namespace zelvik {

// The longest delay one timer can hold (Qt timers count int milliseconds).
// Longer waits are split by the caller.
inline constexpr std::chrono::milliseconds kMaxTimerDelay{std::numeric_limits<int>::max()};

enum class Rounding { down, nearest, up };

// Seconds (a double, as stored) to a timer delay in whole milliseconds.
// NaN and anything below zero give 0; +infinity and anything too long give
// kMaxTimerDelay. Rounding ignores noise below a microsecond. Never
// undefined, whatever the input.
std::chrono::milliseconds delayFromSeconds(double seconds, Rounding rounding);

// The ceiling of x as an integer: NaN and infinities read as 0 and the
// result is clamped to the range of int.
std::int64_t ceilingToInt(double x);

} // namespace zelvik
