#pragma once

#include "NotchShapeItem.h"

#include <QImage>

namespace zelvik {

// A soft black shadow of the outline. The item is larger than the outline by
// `inset` on every side, which must leave room for the blur (about 1.5 x
// `radius`); the shadow's strength is the item's opacity.
class NotchShadow : public NotchShapeItem {
    Q_OBJECT
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit NotchShadow(QQuickItem* parent = nullptr);

    double radius() const { return m_radius; }
    void setRadius(double radius);

    void paint(QPainter* painter) override;
    // The shadow as last painted (an alpha mask drawn black over the
    // item's rectangle); null before the first paint.
    const QImage& image() const { return m_cache; }

signals:
    void radiusChanged();

private:
    double m_radius = 18;
    QImage m_cache;
    QString m_cacheKey;
};

// Blurs the alpha of `image` (Format_Alpha8) in place with a Gaussian of
// standard deviation `sigma` pixels, by three box blurs in each direction.
// Pixels beyond the edges count as transparent.
void blurAlpha(QImage& image, double sigma);

} // namespace zelvik
