#include "MusicImageProviders.h"

#include "monitors/MusicMonitor.h"

#include <QFileInfo>
#include <QIcon>
#include <QMutex>
#include <QQmlEngine>
#include <QQuickImageProvider>

#include <memory>

namespace zelvik {

namespace {

// The cover as last published by the monitor. Image providers may be asked
// from a loader thread, so the copy is guarded.
struct SharedCover {
    QMutex mutex;
    QImage image;
};

class ArtworkProvider final : public QQuickImageProvider {
public:
    explicit ArtworkProvider(std::shared_ptr<SharedCover> cover)
        : QQuickImageProvider(QQuickImageProvider::Image)
        , m_cover(std::move(cover)) {}

    // Every id names the current cover: the id only makes each new picture a
    // new URL, so images reload.
    QImage requestImage(const QString&, QSize* size, const QSize& requestedSize) override {
        QImage image;
        {
            const QMutexLocker lock(&m_cover->mutex);
            image = m_cover->image;
        }
        if (!image.isNull() && requestedSize.isValid() && !requestedSize.isEmpty())
            image = image.scaled(requestedSize, Qt::KeepAspectRatioByExpanding,
                                 Qt::SmoothTransformation);
        if (size)
            *size = image.size();
        return image;
    }

private:
    std::shared_ptr<SharedCover> m_cover;
};

class IconProvider final : public QQuickImageProvider {
public:
    IconProvider()
        : QQuickImageProvider(QQuickImageProvider::Pixmap) {}

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override {
        const QSize wanted =
            requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(64, 64);
        const QIcon icon = QFileInfo(id).isAbsolute() ? QIcon(id) : QIcon::fromTheme(id);
        const QPixmap pixmap = icon.pixmap(wanted);
        if (size)
            *size = pixmap.size();
        return pixmap;
    }
};

} // namespace

void installMusicImageProviders(QQmlEngine& engine, MusicMonitor& music) {
    auto cover = std::make_shared<SharedCover>();
    cover->image = music.artwork();
    QObject::connect(&music, &MusicMonitor::artworkChanged, &engine, [cover, &music] {
        const QMutexLocker lock(&cover->mutex);
        cover->image = music.artwork();
    });
    engine.addImageProvider(QStringLiteral("zelvik-artwork"), new ArtworkProvider(cover));
    engine.addImageProvider(QStringLiteral("zelvik-icon"), new IconProvider);
}

} // namespace zelvik
