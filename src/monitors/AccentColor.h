#pragma once

#include <QColor>
#include <QImage>

#include <optional>

namespace zelvik {

// The tint the music monitor shows when no cover gives one.
inline const QColor kDefaultAccent = QColor::fromRgbF(1.0f, 0.38f, 0.56f);

// The colour a picture averages to over its whole area (premultiplied by its
// alpha, as a 1 x 1 resampling of the picture gives it, rounded to 8 bits).
// Absent for a null picture.
std::optional<QColor> averageColor(const QImage& image);

// The tint taken from a cover: its average colour, a light grey (0.92) when
// that is nearly grey (saturation below 0.12), otherwise the same hue made at
// least half saturated and at least 0.88 bright, so dark and pale covers
// still give a vivid accent. Absent for a null picture.
std::optional<QColor> accentColor(const QImage& image);

} // namespace zelvik
