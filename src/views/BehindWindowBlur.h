#pragma once

#include "NotchShape.h"

#include <QQuickItem>
#include <QRegion>

namespace zelvik {

// Asks the compositor to blur what lies behind the window inside the notch
// outline, so the glass layer reads as frosted glass. On X11 this is the
// blur-behind region hint that KWin honours; elsewhere, and under
// compositors without the hint, nothing happens and the glass stays a plain
// translucent fill. The region follows the item's outline in the window
// every frame while `active` is true and is withdrawn when it turns false.
class BehindWindowBlur : public QQuickItem {
    Q_OBJECT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(double topRadius READ topRadius WRITE setTopRadius NOTIFY topRadiusChanged)
    Q_PROPERTY(
        double bottomRadius READ bottomRadius WRITE setBottomRadius NOTIFY bottomRadiusChanged)

public:
    explicit BehindWindowBlur(QQuickItem* parent = nullptr);
    ~BehindWindowBlur() override;

    bool active() const { return m_active; }
    void setActive(bool active);
    double topRadius() const { return m_shape.topRadius; }
    void setTopRadius(double value);
    double bottomRadius() const { return m_shape.bottomRadius; }
    void setBottomRadius(double value);

    // The outline of `shape` in `rect` (window coordinates) as device-pixel
    // rectangles, the form the hint takes.
    static QRegion regionFor(const NotchShape& shape, const QRectF& rect, double devicePixelRatio);

    // The region last asked for (empty when none).
    QRegion requestedRegion() const { return m_requested; }

signals:
    void activeChanged();
    void topRadiusChanged();
    void bottomRadiusChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData& data) override;

private:
    void refresh();
    void publish(const QRegion& region);

    NotchShape m_shape;
    bool m_active = false;
    QRegion m_requested;
    QPointer<QQuickWindow> m_window;
    QMetaObject::Connection m_frames;
};

} // namespace zelvik
