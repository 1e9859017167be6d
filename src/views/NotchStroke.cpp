#include "NotchStroke.h"

#include <QPainter>

namespace zelvik {

NotchStroke::NotchStroke(QQuickItem* parent)
    : NotchShapeItem(parent) {}

void NotchStroke::setColor(const QColor& color) {
    if (m_color == color)
        return;
    m_color = color;
    emit colorChanged();
    update();
}

void NotchStroke::setLineWidth(double width) {
    if (m_lineWidth == width)
        return;
    m_lineWidth = width;
    emit lineWidthChanged();
    update();
}

void NotchStroke::paint(QPainter* painter) {
    if (m_lineWidth <= 0)
        return;
    QPen pen(m_color, m_lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->strokePath(outlinePath(), pen);
}

} // namespace zelvik
