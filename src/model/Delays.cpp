#include "Delays.h"

#include <algorithm>
#include <cmath>

namespace zelvik {

std::chrono::milliseconds delayFromSeconds(double seconds, Rounding rounding) {
    if (std::isnan(seconds) || seconds <= 0)
        return std::chrono::milliseconds(0);
    double ms = seconds * 1000.0;
    // Differences of stored dates carry rounding noise far below a
    // microsecond; it must not tip a whole millisecond either way.
    constexpr double kNoise = 1e-3;
    switch (rounding) {
    case Rounding::down:
        ms = std::floor(ms + kNoise);
        break;
    case Rounding::nearest:
        ms = std::round(ms);
        break;
    case Rounding::up:
        ms = std::ceil(ms - kNoise);
        break;
    }
    // The clamp also catches +infinity before the conversion.
    ms = std::min(ms, static_cast<double>(kMaxTimerDelay.count()));
    return std::chrono::milliseconds(static_cast<std::int64_t>(ms));
}

std::int64_t ceilingToInt(double x) {
    if (!std::isfinite(x))
        return 0;
    const double c = std::clamp(std::ceil(x), static_cast<double>(std::numeric_limits<int>::min()),
                                static_cast<double>(std::numeric_limits<int>::max()));
    return static_cast<std::int64_t>(c);
}

} // namespace zelvik
