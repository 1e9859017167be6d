#include "NotchShadow.h"

#include <QPainter>
#include <QQuickWindow>

#include <array>
#include <cmath>
#include <vector>

namespace zelvik {

namespace {

// Widths of three successive box blurs whose result approximates a Gaussian
// of standard deviation sigma (each box has odd width).
std::array<int, 3> boxWidths(double sigma) {
    constexpr int n = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / n + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double m =
        (12 * sigma * sigma - n * lower * lower - 4 * n * lower - 3 * n) / (-4.0 * lower - 4);
    const int lowerCount = int(std::lround(m));
    std::array<int, 3> widths{};
    for (int i = 0; i < n; ++i)
        widths[i] = i < lowerCount ? lower : upper;
    return widths;
}

// One box blur of `radius` along a line of `count` values, `stride` apart.
void boxLine(uchar* line, int count, int stride, int radius, std::vector<int>& scratch) {
    scratch.resize(count);
    for (int i = 0; i < count; ++i)
        scratch[i] = line[i * stride];
    const int width = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i <= radius && i < count; ++i)
        sum += scratch[i];
    for (int i = 0; i < count; ++i) {
        line[i * stride] = uchar((sum + width / 2) / width);
        const int add = i + radius + 1;
        const int drop = i - radius;
        if (add < count)
            sum += scratch[add];
        if (drop >= 0)
            sum -= scratch[drop];
    }
}

} // namespace

void blurAlpha(QImage& image, double sigma) {
    if (image.isNull() || !(sigma > 0) || image.format() != QImage::Format_Alpha8)
        return;
    std::vector<int> scratch;
    for (int width : boxWidths(sigma)) {
        const int radius = (width - 1) / 2;
        if (radius <= 0)
            continue;
        for (int y = 0; y < image.height(); ++y)
            boxLine(image.scanLine(y), image.width(), 1, radius, scratch);
        const int stride = int(image.bytesPerLine());
        for (int x = 0; x < image.width(); ++x)
            boxLine(image.bits() + x, image.height(), stride, radius, scratch);
    }
}

NotchShadow::NotchShadow(QQuickItem* parent)
    : NotchShapeItem(parent) {}

void NotchShadow::setRadius(double radius) {
    if (m_radius == radius)
        return;
    m_radius = radius;
    emit radiusChanged();
    update();
}

void NotchShadow::paint(QPainter* painter) {
    // The shadow is soft, so it is blurred at half the device resolution and
    // drawn scaled up: a quarter of the work on every frame of a morph.
    const double dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const double scale = dpr * 0.5;
    const QSize pixels = (size() * scale).toSize();
    if (pixels.isEmpty())
        return;
    const QString key = QStringLiteral("%1x%2 %3 %4 %5 %6 %7")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(topRadius())
                            .arg(bottomRadius())
                            .arg(inset())
                            .arg(m_radius)
                            .arg(scale);
    if (key != m_cacheKey) {
        QImage mask(pixels, QImage::Format_Alpha8);
        mask.fill(0);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scale, scale);
            p.fillPath(outlinePath(), Qt::black);
        }
        // A shadow's "radius" reads as about two standard deviations of blur.
        blurAlpha(mask, m_radius / 2 * scale);
        m_cache = mask;
        m_cacheKey = key;
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(boundingRect(), m_cache);
}

} // namespace zelvik
