#include "ArtworkGlow.h"

#include "NotchShadow.h"

#include <QPainter>
#include <QQuickWindow>

namespace zelvik {

ArtworkGlow::ArtworkGlow(QQuickItem* parent)
    : QQuickPaintedItem(parent) {}

void ArtworkGlow::assign(double& field, double value) {
    if (field == value || !(value >= 0))
        return;
    field = value;
    emit changed();
    update();
}

void ArtworkGlow::setColor(const QColor& color) {
    if (m_color == color)
        return;
    m_color = color;
    emit changed();
    update();
}
void ArtworkGlow::setRadius(double radius) {
    assign(m_radius, radius);
}
void ArtworkGlow::setCornerRadius(double radius) {
    assign(m_cornerRadius, radius);
}
void ArtworkGlow::setInset(double inset) {
    assign(m_inset, inset);
}

void ArtworkGlow::paint(QPainter* painter) {
    // Soft light needs no detail: blurred at half the device resolution and
    // drawn scaled up.
    const double dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const double scale = dpr * 0.5;
    const QSize pixels = (size() * scale).toSize();
    if (pixels.isEmpty())
        return;
    const QString key = QStringLiteral("%1x%2 %3 %4 %5 %6 %7")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(m_radius)
                            .arg(m_cornerRadius)
                            .arg(m_inset)
                            .arg(scale)
                            .arg(m_color.rgba(), 0, 16);
    if (key != m_cacheKey) {
        QImage mask(pixels, QImage::Format_Alpha8);
        mask.fill(0);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(scale, scale);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawRoundedRect(boundingRect().adjusted(m_inset, m_inset, -m_inset, -m_inset),
                              m_cornerRadius, m_cornerRadius);
        }
        // A shadow's "radius" reads as about two standard deviations of blur.
        blurAlpha(mask, m_radius / 2 * scale);
        QImage glow(pixels, QImage::Format_ARGB32_Premultiplied);
        glow.fill(m_color);
        {
            QPainter p(&glow);
            p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            p.drawImage(0, 0, mask);
        }
        m_cache = glow;
        m_cacheKey = key;
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(boundingRect(), m_cache);
}

} // namespace zelvik
