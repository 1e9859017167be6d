#include "RoundedBox.h"

#include <QLinearGradient>
#include <QPainter>
#include <QQuickWindow>

#include <algorithm>
#include <cmath>

namespace zelvik {

RoundedBox::RoundedBox(QQuickItem* parent)
    : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

template <typename T> void RoundedBox::assign(T& field, const T& value) {
    if (field == value)
        return;
    field = value;
    emit changed();
    update();
}

void RoundedBox::setRadius(double value) {
    assign(m_radius, std::max(0.0, value));
}
void RoundedBox::setColor(const QColor& value) {
    assign(m_color, value);
}
void RoundedBox::setGradientEnd(const QColor& value) {
    assign(m_gradientEnd, value);
}
void RoundedBox::setStrokeColor(const QColor& value) {
    assign(m_strokeColor, value);
}
void RoundedBox::setStrokeWidth(double value) {
    assign(m_strokeWidth, std::max(0.0, value));
}
void RoundedBox::setDashPattern(const QList<qreal>& value) {
    assign(m_dashPattern, value);
}
void RoundedBox::setImage(const QImage& value) {
    // Pictures compare by identity: comparing pixels of a large cover on
    // every assignment would cost more than a repaint.
    if (m_image.cacheKey() == value.cacheKey())
        return;
    m_image = value;
    m_scaled = {};
    m_scaledFor = {};
    emit changed();
    update();
}

void RoundedBox::paintImage(QPainter* painter, const QRectF& bounds) {
    const double dpr = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QSize pixels = (bounds.size() * dpr).toSize();
    if (pixels.isEmpty())
        return;
    if (m_scaledFor != pixels) {
        // Scaled to cover the box, then the middle cut out.
        const QImage covering =
            m_image.scaled(pixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        m_scaled = covering.copy((covering.width() - pixels.width()) / 2,
                                 (covering.height() - pixels.height()) / 2, pixels.width(),
                                 pixels.height());
        m_scaledFor = pixels;
    }
    // Filled as a textured shape rather than clipped: the corners stay
    // antialiased under every paint engine.
    QBrush texture(m_scaled);
    QTransform placement;
    placement.translate(bounds.x(), bounds.y());
    placement.scale(bounds.width() / pixels.width(), bounds.height() / pixels.height());
    texture.setTransform(placement);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->setPen(Qt::NoPen);
    painter->setBrush(texture);
    painter->drawRoundedRect(bounds, m_radius, m_radius);
    painter->restore();
}

void RoundedBox::paint(QPainter* painter) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = boundingRect();
    painter->setPen(Qt::NoPen);
    if (m_gradientEnd.isValid()) {
        QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
        gradient.setColorAt(0, m_color);
        gradient.setColorAt(1, m_gradientEnd);
        painter->setBrush(gradient);
    } else {
        painter->setBrush(m_color);
    }
    painter->drawRoundedRect(bounds, m_radius, m_radius);
    if (!m_image.isNull())
        paintImage(painter, bounds);

    if (m_strokeWidth <= 0 || m_strokeColor.alpha() == 0)
        return;
    QPen pen(m_strokeColor, m_strokeWidth);
    pen.setCapStyle(Qt::FlatCap);
    if (!m_dashPattern.isEmpty()) {
        // The painter counts dashes in line widths.
        QList<qreal> dashes;
        for (qreal length : m_dashPattern)
            dashes << length / m_strokeWidth;
        pen.setDashPattern(dashes);
    }
    const double half = m_strokeWidth / 2;
    const double radius = std::max(0.0, m_radius - half);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(bounds.adjusted(half, half, -half, -half), radius, radius);
}

ProgressRing::ProgressRing(QQuickItem* parent)
    : QQuickPaintedItem(parent) {
    setAntialiasing(true);
}

void ProgressRing::setProgress(double value) {
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, 0.0, 1.0);
    if (m_progress == value)
        return;
    m_progress = value;
    emit changed();
    update();
}

void ProgressRing::setColor(const QColor& value) {
    if (m_color == value)
        return;
    m_color = value;
    emit changed();
    update();
}

void ProgressRing::setTrackColor(const QColor& value) {
    if (m_trackColor == value)
        return;
    m_trackColor = value;
    emit changed();
    update();
}

void ProgressRing::setLineWidth(double value) {
    if (m_lineWidth == value || value < 0)
        return;
    m_lineWidth = value;
    emit changed();
    update();
}

void ProgressRing::paint(QPainter* painter) {
    painter->setRenderHint(QPainter::Antialiasing);
    const double half = m_lineWidth / 2;
    const QRectF circle = QRectF(0, 0, width(), height()).adjusted(half, half, -half, -half);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(m_trackColor, m_lineWidth));
    painter->drawEllipse(circle);
    if (m_progress <= 0)
        return;
    QPen pen(m_color, m_lineWidth);
    pen.setCapStyle(Qt::RoundCap);
    painter->setPen(pen);
    // Angles in sixteenths of a degree, counter-clockwise from three o'clock:
    // start at twelve and run clockwise.
    painter->drawArc(circle, 90 * 16, -qRound(m_progress * 360 * 16));
}

} // namespace zelvik
