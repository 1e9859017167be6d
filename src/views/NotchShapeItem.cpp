#include "NotchShapeItem.h"

namespace zelvik {

NotchShapeItem::NotchShapeItem(QQuickItem* parent)
    : QQuickPaintedItem(parent) {
    setAntialiasing(true);
    setOpaquePainting(false);
}

void NotchShapeItem::setTopRadius(double value) {
    if (m_shape.topRadius == value)
        return;
    m_shape.topRadius = value;
    emit topRadiusChanged();
    update();
}

void NotchShapeItem::setBottomRadius(double value) {
    if (m_shape.bottomRadius == value)
        return;
    m_shape.bottomRadius = value;
    emit bottomRadiusChanged();
    update();
}

void NotchShapeItem::setInset(double value) {
    if (m_inset == value)
        return;
    m_inset = value;
    emit insetChanged();
    update();
}

QRectF NotchShapeItem::outlineRect() const {
    return boundingRect().adjusted(m_inset, m_inset, -m_inset, -m_inset);
}

QPainterPath NotchShapeItem::outlinePath() const {
    return m_shape.path(outlineRect());
}

bool NotchShapeItem::contains(const QPointF& point) const {
    return outlinePath().contains(point);
}

} // namespace zelvik
