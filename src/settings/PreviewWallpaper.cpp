#include "PreviewWallpaper.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>

namespace zelvik {

namespace {

QString localPath(const QUrl& url) {
    if (url.scheme() == u"qrc")
        return u':' + url.path();
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

} // namespace

PreviewWallpaper::PreviewWallpaper(QQuickItem* parent)
    : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void PreviewWallpaper::setSource(const QUrl& source) {
    if (source == m_source)
        return;
    m_source = source;
    m_cache = {};
    emit sourceChanged();
    update();
}

void PreviewWallpaper::setRadius(double radius) {
    if (radius == m_radius)
        return;
    m_radius = radius;
    emit radiusChanged();
    update();
}

void PreviewWallpaper::setBarHeight(double height) {
    if (height == m_barHeight)
        return;
    m_barHeight = height;
    emit barChanged();
    update();
}

void PreviewWallpaper::setBarColor(const QColor& color) {
    if (color == m_barColor)
        return;
    m_barColor = color;
    emit barChanged();
    update();
}

void PreviewWallpaper::paint(QPainter* painter) {
    const QSize pixels = (size() * window()->effectiveDevicePixelRatio()).toSize();
    if (pixels.isEmpty())
        return;
    if (m_cache.size() != pixels && !m_source.isEmpty()) {
        QImageReader reader(localPath(m_source));
        const QSize natural = reader.size();
        // Cover the item, cropping what spills over.
        QSize scaled =
            natural.isValid() ? natural.scaled(pixels, Qt::KeepAspectRatioByExpanding) : pixels;
        reader.setScaledSize(scaled);
        const QImage picture = reader.read();
        m_cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_cache.fill(Qt::transparent);
        QPainter p(&m_cache);
        p.drawImage(
            QPoint((pixels.width() - scaled.width()) / 2, (pixels.height() - scaled.height()) / 2),
            picture);
    }
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(QPointF(0, 0), size()), m_radius, m_radius);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setClipPath(rounded);
    painter->drawImage(QRectF(QPointF(0, 0), size()), m_cache);
    if (m_barHeight > 0)
        painter->fillRect(QRectF(0, 0, width(), m_barHeight), m_barColor);
}

} // namespace zelvik
