#pragma once

#include "NotchShapeItem.h"

#include <QColor>

namespace zelvik {

// The outline drawn as a line (the drop-target highlight). Give the item an
// `inset` of at least half the line width so the outer half is not cut off.
class NotchStroke : public NotchShapeItem {
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(double lineWidth READ lineWidth WRITE setLineWidth NOTIFY lineWidthChanged)

public:
    explicit NotchStroke(QQuickItem* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double width);

    void paint(QPainter* painter) override;

signals:
    void colorChanged();
    void lineWidthChanged();

private:
    QColor m_color = Qt::white;
    double m_lineWidth = 1;
};

} // namespace zelvik
