#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>
#include <QUrl>

namespace zelvik {

// The notch preview's backdrop: a picture (the sample wallpaper) scaled to
// cover the item, with the desktop's top bar across it, all inside a
// rounded rectangle. Painted, so it looks the same with every scene graph
// renderer (the software one has no shader effects to round corners with).
class PreviewWallpaper : public QQuickPaintedItem {
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(double barHeight READ barHeight WRITE setBarHeight NOTIFY barChanged)
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor NOTIFY barChanged)
public:
    explicit PreviewWallpaper(QQuickItem* parent = nullptr);

    QUrl source() const { return m_source; }
    void setSource(const QUrl& source);
    double radius() const { return m_radius; }
    void setRadius(double radius);
    double barHeight() const { return m_barHeight; }
    void setBarHeight(double height);
    QColor barColor() const { return m_barColor; }
    void setBarColor(const QColor& color);

    void paint(QPainter* painter) override;

signals:
    void sourceChanged();
    void radiusChanged();
    void barChanged();

private:
    QUrl m_source;
    double m_radius = 0;
    double m_barHeight = 0;
    QColor m_barColor;
    QImage m_cache;
};

} // namespace zelvik
