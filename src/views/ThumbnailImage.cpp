#include "ThumbnailImage.h"

#include "ShelfThumbnailer.h"

#include <QCache>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>

namespace zelvik {

namespace {

// The open panel is built anew on every opening; remembering recent
// thumbnails keeps the tiles from flashing their symbol each time.
QCache<QString, QImage>& recentThumbnails() {
    static QCache<QString, QImage> cache(64);
    return cache;
}

QString cacheKey(const QString& path, int pixelSize) {
    const QFileInfo info(path);
    return QStringLiteral("%1|%2|%3|%4")
        .arg(path)
        .arg(info.lastModified().toMSecsSinceEpoch())
        .arg(info.size())
        .arg(pixelSize);
}

} // namespace

ThumbnailImage::ThumbnailImage(QQuickItem* parent)
    : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void ThumbnailImage::setPath(const QString& path) {
    if (m_path == path)
        return;
    m_path = path;
    emit pathChanged();
    load();
}

void ThumbnailImage::setPixelSize(int size) {
    if (m_pixelSize == size || size <= 0)
        return;
    m_pixelSize = size;
    emit pixelSizeChanged();
    load();
}

void ThumbnailImage::setCornerRadius(double radius) {
    if (m_cornerRadius == radius)
        return;
    m_cornerRadius = radius;
    emit cornerRadiusChanged();
    update();
}

void ThumbnailImage::load() {
    const quint64 generation = ++m_generation;
    show({});
    if (m_path.isEmpty())
        return;
    const QString key = cacheKey(m_path, m_pixelSize);
    if (const QImage* known = recentThumbnails().object(key)) {
        show(*known);
        return;
    }
    QThreadPool::globalInstance()->start(
        [self = QPointer(this), path = m_path, size = m_pixelSize, generation, key] {
            const QImage image = loadShelfThumbnail(path, size);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, path, size, generation, key, image] {
                    // The icon theme is read on the main thread only.
                    const QImage shown = image.isNull() ? mimeTypeIcon(path, size) : image;
                    if (!shown.isNull())
                        recentThumbnails().insert(key, new QImage(shown));
                    if (self && self->m_generation == generation)
                        self->show(shown);
                },
                Qt::QueuedConnection);
        });
}

void ThumbnailImage::show(const QImage& image) {
    const bool wasReady = ready();
    m_image = image;
    update();
    if (wasReady != ready())
        emit readyChanged();
}

void ThumbnailImage::paint(QPainter* painter) {
    if (m_image.isNull())
        return;
    // Filled with the image as a brush, so the rounded corners are smooth.
    const QRectF bounds = boundingRect();
    QBrush brush(m_image);
    brush.setTransform(QTransform::fromScale(bounds.width() / m_image.width(),
                                             bounds.height() / m_image.height()));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->setPen(Qt::NoPen);
    painter->setBrush(brush);
    painter->drawRoundedRect(bounds, m_cornerRadius, m_cornerRadius);
}

} // namespace zelvik
