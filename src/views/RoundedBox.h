#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QQuickPaintedItem>

namespace zelvik {

// A rounded rectangle that Qt Quick's own Rectangle cannot draw: filled with
// a diagonal gradient (top-left to bottom-right) and/or stroked with a dash,
// the stroke inset by half its width so it stays inside the item. Painted
// with antialiasing under every renderer.
class RoundedBox : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY changed)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    // When valid, the fill runs from `color` at the top-left corner to this
    // at the bottom-right.
    Q_PROPERTY(QColor gradientEnd READ gradientEnd WRITE setGradientEnd NOTIFY changed)
    Q_PROPERTY(QColor strokeColor READ strokeColor WRITE setStrokeColor NOTIFY changed)
    Q_PROPERTY(double strokeWidth READ strokeWidth WRITE setStrokeWidth NOTIFY changed)
    // Dash and gap lengths in points; empty for a solid line.
    Q_PROPERTY(QList<qreal> dashPattern READ dashPattern WRITE setDashPattern NOTIFY changed)
    // A picture over the fill, scaled to fill the box (cropped, aspect
    // kept) and clipped to its rounded corners; none when null.
    Q_PROPERTY(QImage image READ image WRITE setImage NOTIFY changed)
    Q_PROPERTY(bool hasImage READ hasImage NOTIFY changed)

public:
    explicit RoundedBox(QQuickItem* parent = nullptr);

    double radius() const { return m_radius; }
    void setRadius(double value);
    QColor color() const { return m_color; }
    void setColor(const QColor& value);
    QColor gradientEnd() const { return m_gradientEnd; }
    void setGradientEnd(const QColor& value);
    QColor strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const QColor& value);
    double strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(double value);
    QList<qreal> dashPattern() const { return m_dashPattern; }
    void setDashPattern(const QList<qreal>& value);
    QImage image() const { return m_image; }
    bool hasImage() const { return !m_image.isNull(); }
    void setImage(const QImage& value);

    void paint(QPainter* painter) override;

signals:
    void changed();

private:
    template <typename T> void assign(T& field, const T& value);
    void paintImage(QPainter* painter, const QRectF& bounds);

    double m_radius = 0;
    QColor m_color = Qt::transparent;
    QColor m_gradientEnd;
    QColor m_strokeColor = Qt::transparent;
    double m_strokeWidth = 0;
    QList<qreal> m_dashPattern;
    QImage m_image;
    // The picture scaled for the last size painted, so a large cover is
    // scaled once rather than on every paint.
    QImage m_scaled;
    QSize m_scaledFor;
};

// A countdown ring: a full circle as the track and, over it, the arc from
// the top clockwise for `progress` (0...1) of a turn with round caps. The
// line lies inside the item: the circle runs through the middle of the line,
// half a line width in from the item's edge.
class ProgressRing : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(double progress READ progress WRITE setProgress NOTIFY changed)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY changed)
    Q_PROPERTY(double lineWidth READ lineWidth WRITE setLineWidth NOTIFY changed)

public:
    explicit ProgressRing(QQuickItem* parent = nullptr);

    double progress() const { return m_progress; }
    void setProgress(double value);
    QColor color() const { return m_color; }
    void setColor(const QColor& value);
    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor& value);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double value);

    void paint(QPainter* painter) override;

signals:
    void changed();

private:
    double m_progress = 0;
    QColor m_color = Qt::white;
    QColor m_trackColor = QColor(255, 255, 255, 26);
    double m_lineWidth = 8;
};

} // namespace zelvik
