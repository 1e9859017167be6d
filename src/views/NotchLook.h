#pragma once

namespace zelvik {

// The corner radii of the notch's outline.
struct NotchRadii {
    double top;
    double bottom;

    friend bool operator==(const NotchRadii&, const NotchRadii&) = default;
};

// What the notch shows, as far as its look depends on it.
struct NotchLookInput {
    bool open = false;
    // A notice is on the closed notch.
    bool hasHud = false;
    bool hasPhysicalNotch = false;
};

// The open panel flares wider and rounds deeper than the closed notch; a
// notice keeps the notch's flare but rounds like a pill.
NotchRadii notchRadii(const NotchLookInput& input);

// How much glass the surface shows, from the stored amount (clamped to 0..1,
// 0 when not a number). Closed over a hardware notch the surface stays solid
// black unless the user wants glass there too; a notice or the open panel
// always shows it.
double notchGlass(const NotchLookInput& input, double storedAmount, bool glassWhenClosed);

// The open panel's shadow, thinner the more glass it shows; none closed.
double notchShadowOpacity(const NotchLookInput& input, bool showShadow, double glass);

} // namespace zelvik
