#include "NotchBackground.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

// Below this the glass layer is not drawn at all.
constexpr double kGlassThreshold = 0.001;
// The black that stays over the glass at full glass is 1 - 0.82.
constexpr double kBlackThinning = 0.82;
constexpr double kTintOpacity = 0.18;
// The dark smoke that stands in for the heads-up-display material.
const QColor kMaterial = QColor::fromRgbF(0.11f, 0.11f, 0.12f, 0.62f);

} // namespace

NotchBackground::Layers NotchBackground::layersFor(double glass) {
    const double g = std::isfinite(glass) ? std::clamp(glass, 0.0, 1.0) : 0.0;
    Layers layers;
    layers.hasGlass = g > kGlassThreshold;
    layers.glassOpacity = layers.hasGlass ? std::min(1.0, 3 * g) : 0.0;
    layers.blackOpacity = 1 - kBlackThinning * g;
    return layers;
}

QColor NotchBackground::glassColor(const QColor& tint) {
    if (!tint.isValid())
        return kMaterial;
    // tint at 0.18 over the material, premultiplied "source over".
    const double ta = tint.alphaF() * kTintOpacity;
    const double ma = kMaterial.alphaF();
    const double a = ta + ma * (1 - ta);
    auto channel = [&](double t, double m) { return (t * ta + m * ma * (1 - ta)) / a; };
    return QColor::fromRgbF(float(channel(tint.redF(), kMaterial.redF())),
                            float(channel(tint.greenF(), kMaterial.greenF())),
                            float(channel(tint.blueF(), kMaterial.blueF())), float(a));
}

NotchBackground::NotchBackground(QQuickItem* parent)
    : NotchShapeItem(parent) {}

void NotchBackground::setGlass(double value) {
    if (m_glass == value)
        return;
    m_glass = value;
    emit glassChanged();
    update();
}

void NotchBackground::setTint(const QColor& value) {
    if (m_tint == value)
        return;
    m_tint = value;
    emit tintChanged();
    update();
}

void NotchBackground::paint(QPainter* painter) {
    const Layers layers = layersFor(m_glass);
    const QPainterPath path = outlinePath();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (layers.hasGlass) {
        painter->setOpacity(layers.glassOpacity);
        painter->fillPath(path, glassColor(m_tint));
    }
    painter->setOpacity(layers.blackOpacity);
    painter->fillPath(path, Qt::black);
}

} // namespace zelvik
