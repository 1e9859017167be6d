#include "AppIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QUrl>

namespace zelvik {

AppIconProvider::AppIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Pixmap) {}

bool AppIconProvider::canProvide(const QString& iconName) {
    if (iconName.isEmpty())
        return false;
    if (QFileInfo(iconName).isAbsolute())
        return QFileInfo(iconName).isFile();
    return QIcon::hasThemeIcon(iconName);
}

QPixmap AppIconProvider::requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) {
    const QSize wanted = requestedSize.isValid() ? requestedSize : QSize(64, 64);
    const QString name = QUrl::fromPercentEncoding(id.toUtf8());
    QPixmap pixmap;
    if (QFileInfo(name).isAbsolute()) {
        if (QFileInfo(name).isFile())
            pixmap = QIcon(name).pixmap(wanted);
    } else if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
        pixmap = QIcon::fromTheme(name).pixmap(wanted);
    }
    if (size)
        *size = pixmap.size();
    return pixmap;
}

} // namespace zelvik
