#pragma once

#include <QImage>
#include <QString>

namespace zelvik {

// Thumbnails of shelf files, square and `pixelSize` on a side (the tile's 48
// points at scale 2). Both functions are safe to call off the main thread.

// An image file decoded at reduced size (with its orientation applied) and
// cropped to the square; otherwise the freedesktop thumbnail cache's entry
// for the file when it is current (same URI and modification time); else a
// null image, and the caller falls back to an icon.
QImage loadShelfThumbnail(const QString& path, int pixelSize);

// The freedesktop thumbnail cache alone: the smallest cached size at least
// `pixelSize` that is current for the file, scaled and cropped to the square.
QImage cachedThumbnail(const QString& path, int pixelSize);

// Fills the square: scaled until the shorter side fits, then the middle cut out.
QImage squareCrop(const QImage& image, int pixelSize);

// The theme's icon for the file's MIME type (or its generic icon), for files
// without a thumbnail. Uses the icon theme: main thread only. Null when the
// theme has none.
QImage mimeTypeIcon(const QString& path, int pixelSize);

} // namespace zelvik
