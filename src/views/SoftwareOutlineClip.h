#pragma once

#include "NotchShape.h"

#include <QImage>
#include <QPointer>
#include <QQuickItem>

namespace zelvik {

class NotchShadow;

// Keeps the notch's contents inside the outline's rounded bottom corners
// where the renderer has no shaders to mask them with (Qt Quick's software
// renderer, which clips to rectangles only). Placed over the contents and
// the same size as the outline, it erases what was drawn in the two corner
// pockets of the outline's body (inside the body's rectangle, outside the
// outline) and paints the outline's shadow there again, so only the
// contents go. With other renderers it draws nothing.
class SoftwareOutlineClip : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(double topRadius READ topRadius WRITE setTopRadius NOTIFY changed)
    Q_PROPERTY(double bottomRadius READ bottomRadius WRITE setBottomRadius NOTIFY changed)
    // The outline's shadow, drawn beneath the contents, whose part in the
    // pockets is painted back after erasing; may be null.
    Q_PROPERTY(zelvik::NotchShadow* shadow READ shadow WRITE setShadow NOTIFY changed)

public:
    explicit SoftwareOutlineClip(QQuickItem* parent = nullptr);

    double topRadius() const { return m_shape.topRadius; }
    void setTopRadius(double value);
    double bottomRadius() const { return m_shape.bottomRadius; }
    void setBottomRadius(double value);
    NotchShadow* shadow() const;
    void setShadow(NotchShadow* shadow);

    // The region erased in an outline of this shape filling `rect`: the
    // body's rectangle (between the top flares) minus the outline.
    static QPainterPath pockets(const NotchShape& shape, const QRectF& rect);
    // Erases `pockets` from what `painter` has drawn, then paints `shadow`
    // (an alpha mask, drawn black over `shadowRect` at `shadowOpacity`)
    // back into them. Coordinates are the painter's.
    static void erase(QPainter& painter, const QPainterPath& pockets, const QImage& shadow,
                      const QRectF& shadowRect, double shadowOpacity);

signals:
    void changed();

protected:
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData*) override;

private:
    NotchShape m_shape;
    QPointer<NotchShadow> m_shadow;
};

} // namespace zelvik
