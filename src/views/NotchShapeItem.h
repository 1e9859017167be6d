#pragma once

#include "NotchShape.h"

#include <QQuickPaintedItem>

namespace zelvik {

// A painted item that carries the notch outline: the outline fills the item's
// rectangle minus `inset` on every side (room for a stroke or a shadow that
// reaches past the outline). Pointer hits count only inside the outline.
class NotchShapeItem : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(double topRadius READ topRadius WRITE setTopRadius NOTIFY topRadiusChanged)
    Q_PROPERTY(
        double bottomRadius READ bottomRadius WRITE setBottomRadius NOTIFY bottomRadiusChanged)
    Q_PROPERTY(double inset READ inset WRITE setInset NOTIFY insetChanged)

public:
    explicit NotchShapeItem(QQuickItem* parent = nullptr);

    double topRadius() const { return m_shape.topRadius; }
    void setTopRadius(double value);
    double bottomRadius() const { return m_shape.bottomRadius; }
    void setBottomRadius(double value);
    double inset() const { return m_inset; }
    void setInset(double value);

    NotchShape shape() const { return m_shape; }
    QRectF outlineRect() const;
    QPainterPath outlinePath() const;

    bool contains(const QPointF& point) const override;

signals:
    void topRadiusChanged();
    void bottomRadiusChanged();
    void insetChanged();

private:
    NotchShape m_shape;
    double m_inset = 0;
};

} // namespace zelvik
