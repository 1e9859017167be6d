#pragma once

#include <QPainterPath>
#include <QRectF>

namespace zelvik {

// The notch outline: a body with rounded bottom corners whose top corners
// flare outwards, the way a menu bar runs into the hardware notch. The flares
// take `topRadius` on each side, so the body is the rectangle's width minus
// twice the effective top radius.
struct NotchShape {
    // The Bézier handle factor, fixed at 0.5523 (not the exact circle value)
    // so that the corners look the same everywhere the outline is drawn.
    static constexpr double k = 0.5523;

    double topRadius = 0;
    double bottomRadius = 0;

    // The radii as drawn in `rect`: the top radius is limited to a quarter of
    // the width and half the height, the bottom radius to what is left below
    // the flare and to half the body; neither goes below 0.
    struct Radii {
        double top = 0;
        double bottom = 0;
        friend bool operator==(const Radii&, const Radii&) = default;
    };
    Radii effectiveRadii(const QRectF& rect) const;

    // The closed outline in `rect` (y downwards), filled with the winding rule.
    QPainterPath path(const QRectF& rect) const;
};

} // namespace zelvik
