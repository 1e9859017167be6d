#include "ShelfThumbnailer.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMap>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>
#include <QtEndian>
#include <QtMath>

#include <algorithm>

namespace zelvik {

QImage squareCrop(const QImage& image, int pixelSize) {
    if (image.isNull() || pixelSize <= 0)
        return {};
    const QImage scaled = image.scaled(pixelSize, pixelSize, Qt::KeepAspectRatioByExpanding,
                                       Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - pixelSize) / 2, (scaled.height() - pixelSize) / 2,
                       pixelSize, pixelSize);
}

namespace {

// Thumbnails are small; anything far larger is not one.
constexpr qint64 kMaxCachedThumbnailBytes = 8 * 1024 * 1024;

// The uncompressed text chunks of a PNG ("Thumb::URI", "Thumb::MTime").
// Qt's own reader takes "::" in a key for a separator, so they are read here.
QMap<QByteArray, QByteArray> pngTextChunks(const QByteArray& png) {
    QMap<QByteArray, QByteArray> text;
    if (!png.startsWith("\x89PNG\r\n\x1a\n"))
        return text;
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        if (length > quint32(png.size() - at - 12))
            break;
        if (type == "tEXt") {
            const QByteArray body = png.mid(at + 8, length);
            const qsizetype zero = body.indexOf('\0');
            if (zero > 0)
                text.insert(body.left(zero), body.mid(zero + 1));
        } else if (type == "IEND") {
            break;
        }
        at += 12 + qsizetype(length);
    }
    return text;
}

QImage decodeImage(const QString& path, int pixelSize) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return {};
    // Decoding at about the wanted size spares the memory of a full photo.
    QSize size = reader.size();
    if (size.isValid() && size.width() > 0 && size.height() > 0) {
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            size.transpose();
        const double scale =
            std::max(double(pixelSize) / size.width(), double(pixelSize) / size.height());
        if (scale < 1) {
            QSize scaled(qCeil(size.width() * scale), qCeil(size.height() * scale));
            if (reader.transformation() & QImageIOHandler::TransformationRotate90)
                scaled.transpose();
            reader.setScaledSize(scaled);
        }
    }
    return squareCrop(reader.read(), pixelSize);
}

} // namespace

QImage cachedThumbnail(const QString& path, int pixelSize) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QByteArray uri = QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        QStringLiteral(".png");
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                         QStringLiteral("/thumbnails/");
    const QString mtime = QString::number(info.lastModified().toSecsSinceEpoch());
    struct Folder {
        const char* name;
        int size;
    };
    for (const Folder folder : {Folder{"normal", 128}, Folder{"large", 256}, Folder{"x-large", 512},
                                Folder{"xx-large", 1024}}) {
        if (folder.size < pixelSize && folder.size != 1024)
            continue;
        QFile file(root + QLatin1String(folder.name) + u'/' + name);
        if (file.size() > kMaxCachedThumbnailBytes || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray png = file.readAll();
        // A thumbnail of an older version of the file, or of another file
        // that once had this name, is not this file's thumbnail.
        const QMap<QByteArray, QByteArray> text = pngTextChunks(png);
        if (text.value("Thumb::MTime") != mtime.toLatin1())
            continue;
        const QByteArray thumbUri = text.value("Thumb::URI");
        if (!thumbUri.isEmpty() && thumbUri != uri &&
            QUrl::fromEncoded(thumbUri) != QUrl::fromEncoded(uri))
            continue;
        const QImage image = QImage::fromData(png, "png");
        if (!image.isNull())
            return squareCrop(image, pixelSize);
    }
    return {};
}

QImage loadShelfThumbnail(const QString& path, int pixelSize) {
    if (path.isEmpty() || pixelSize <= 0 || !QFileInfo(path).isFile())
        return {};
    if (QImage image = decodeImage(path, pixelSize); !image.isNull())
        return image;
    return cachedThumbnail(path, pixelSize);
}

QImage mimeTypeIcon(const QString& path, int pixelSize) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        return {};
    return icon.pixmap(QSize(pixelSize, pixelSize)).toImage();
}

} // namespace zelvik
