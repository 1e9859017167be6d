#pragma once

#include <QQuickImageProvider>

namespace zelvik {

// Application icons for QML by the Icon key of their desktop entry:
// "image://appicon/spotify" looks the name up in the icon theme,
// "image://appicon//usr/share/pixmaps/x.png" loads that file. An icon that
// cannot be found gives an empty image, so the view can draw its own symbol.
class AppIconProvider : public QQuickImageProvider {
public:
    AppIconProvider();
    // Whether an icon of that name or path can be drawn at all.
    static bool canProvide(const QString& iconName);
    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace zelvik
