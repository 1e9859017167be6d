#include "AccentColor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace zelvik {

std::optional<QColor> averageColor(const QImage& image) {
    if (image.isNull())
        return std::nullopt;
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    if (pixels.isNull())
        return std::nullopt;
    std::array<std::uint64_t, 3> sums{};
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar* line = pixels.constScanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            const uchar* pixel = line + 4 * x;
            for (int channel = 0; channel < 3; ++channel)
                sums[channel] += pixel[channel];
        }
    }
    const double count = double(pixels.width()) * double(pixels.height());
    std::array<int, 3> bytes{};
    for (int channel = 0; channel < 3; ++channel)
        bytes[channel] = std::clamp(int(std::lround(double(sums[channel]) / count)), 0, 255);
    return QColor(bytes[0], bytes[1], bytes[2]);
}

std::optional<QColor> accentColor(const QImage& image) {
    const std::optional<QColor> average = averageColor(image);
    if (!average)
        return std::nullopt;
    const float saturation = average->hsvSaturationF();
    if (saturation < 0.12f)
        return QColor::fromRgbF(0.92f, 0.92f, 0.92f);
    return QColor::fromHsvF(average->hsvHueF(), std::max(0.5f, saturation),
                            std::max(0.88f, average->valueF()));
}

} // namespace zelvik
