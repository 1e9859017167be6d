#include "MusicImageProviders.h"

#include "monitors/MusicMonitor.h"

#include <QFileInfo>
#include <QIcon>
#include <QQmlEngine>
#include <QQuickImageProvider>

#include <memory>

namespace zelvik {

namespace {

class ArtworkProvider final : public QQuickImageProvider {
public:
    explicit ArtworkProvider(std::shared_ptr<const PublishedArtwork> cover)
        : QQuickImageProvider(QQuickImageProvider::Image)
        , m_cover(std::move(cover)) {}

    // Every id names the current cover: the id only makes each new picture a
    // new URL, so images reload.
    QImage requestImage(const QString&, QSize* size, const QSize& requestedSize) override {
        QImage image = m_cover->get();
        if (!image.isNull() && requestedSize.isValid() && !requestedSize.isEmpty())
            image = image.scaled(requestedSize, Qt::KeepAspectRatioByExpanding,
                                 Qt::SmoothTransformation);
        if (size)
            *size = image.size();
        return image;
    }

private:
    std::shared_ptr<const PublishedArtwork> m_cover;
};

class IconProvider final : public QQuickImageProvider {
public:
    IconProvider()
        : QQuickImageProvider(QQuickImageProvider::Pixmap) {}

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override {
        const QSize wanted =
            requestedSize.isValid() && !requestedSize.isEmpty() ? requestedSize : QSize(64, 64);
        const QString name = QUrl::fromPercentEncoding(id.toUtf8());
        const QIcon icon = QFileInfo(name).isAbsolute() ? QIcon(name) : QIcon::fromTheme(name);
        const QPixmap pixmap = icon.pixmap(wanted);
        if (size)
            *size = pixmap.size();
        return pixmap;
    }
};

} // namespace

QUrl playerIconUrl(const QString& iconName) {
    if (iconName.isEmpty())
        return {};
    const QFileInfo file(iconName);
    if (file.isAbsolute() ? !file.isFile() : !QIcon::hasThemeIcon(iconName))
        return {};
    return QUrl(QStringLiteral("image://zelvik-icon/") +
                QString::fromLatin1(QUrl::toPercentEncoding(iconName)));
}

void installMusicImageProviders(QQmlEngine& engine, MusicMonitor& music) {
    engine.addImageProvider(QStringLiteral("zelvik-artwork"),
                            new ArtworkProvider(music.publishedArtwork()));
    engine.addImageProvider(QStringLiteral("zelvik-icon"), new IconProvider);
}

} // namespace zelvik
