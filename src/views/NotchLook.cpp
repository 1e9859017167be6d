#include "NotchLook.h"

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

constexpr double kShadowStrength = 0.55;

} // namespace

NotchRadii notchRadii(const NotchLookInput& input) {
    if (input.open)
        return {16, 38};
    return input.hasHud ? NotchRadii{8, 24} : NotchRadii{8, 15};
}

double notchGlass(const NotchLookInput& input, double storedAmount, bool glassWhenClosed) {
    if (!input.open && !input.hasHud && input.hasPhysicalNotch && !glassWhenClosed)
        return 0;
    return std::isfinite(storedAmount) ? std::clamp(storedAmount, 0.0, 1.0) : 0.0;
}

double notchShadowOpacity(const NotchLookInput& input, bool showShadow, double glass) {
    return input.open && showShadow ? (1 - 0.5 * glass) * kShadowStrength : 0;
}

} // namespace zelvik
