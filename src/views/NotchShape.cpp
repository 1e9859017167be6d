#include "NotchShape.h"

#include <algorithm>

namespace zelvik {

NotchShape::Radii NotchShape::effectiveRadii(const QRectF& rect) const {
    const double w = rect.width();
    const double h = rect.height();
    const double t = std::max(0.0, std::min({topRadius, w * 0.25, h * 0.5}));
    const double b = std::max(0.0, std::min({bottomRadius, h - t, (w - 2 * t) * 0.5}));
    return {t, b};
}

QPainterPath NotchShape::path(const QRectF& rect) const {
    const auto [t, b] = effectiveRadii(rect);
    const double minX = rect.left();
    const double minY = rect.top();
    const double maxX = rect.right();
    const double maxY = rect.bottom();

    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.moveTo(minX, minY);
    p.cubicTo(minX + k * t, minY, minX + t, minY + t - k * t, minX + t, minY + t);
    p.lineTo(minX + t, maxY - b);
    p.cubicTo(minX + t, maxY - b + k * b, minX + t + b - k * b, maxY, minX + t + b, maxY);
    p.lineTo(maxX - t - b, maxY);
    p.cubicTo(maxX - t - b + k * b, maxY, maxX - t, maxY - b + k * b, maxX - t, maxY - b);
    p.lineTo(maxX - t, minY + t);
    p.cubicTo(maxX - t, minY + t - k * t, maxX - k * t, minY, maxX, minY);
    p.closeSubpath();
    return p;
}

} // namespace zelvik
