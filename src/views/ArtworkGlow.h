#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>

namespace zelvik {

// The soft coloured light behind a song's artwork: the artwork's rounded
// square, blurred, in `color`. The item is larger than the square by `inset`
// on every side, which must leave room for the blur (about 1.5 x `radius`);
// the glow's strength is the item's opacity.
class ArtworkGlow : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    // Blur radius in points.
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY changed)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY changed)
    Q_PROPERTY(double inset READ inset WRITE setInset NOTIFY changed)

public:
    explicit ArtworkGlow(QQuickItem* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    double radius() const { return m_radius; }
    void setRadius(double radius);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    double inset() const { return m_inset; }
    void setInset(double inset);

    void paint(QPainter* painter) override;

signals:
    void changed();

private:
    void assign(double& field, double value);

    QColor m_color = Qt::white;
    double m_radius = 18;
    double m_cornerRadius = 16;
    double m_inset = 28;
    QImage m_cache;
    QString m_cacheKey;
};

} // namespace zelvik
