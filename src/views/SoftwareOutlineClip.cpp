#include "SoftwareOutlineClip.h"

#include "NotchShadow.h"

#include <QPainter>
#include <QQuickWindow>
#include <QSGRenderNode>
#include <QSGRendererInterface>

namespace zelvik {

namespace {

// Erases the pockets and paints the shadow back into them, with the painter
// the software renderer draws the window with.
class EraseNode final : public QSGRenderNode {
public:
    explicit EraseNode(QQuickWindow* window)
        : m_window(window) {}

    void render(const RenderState* state) override {
        auto* painter = static_cast<QPainter*>(m_window->rendererInterface()->getResource(
            m_window, QSGRendererInterface::PainterResource));
        if (!painter || pockets.isEmpty())
            return;
        painter->save();
        // The clip comes in window coordinates, so before the transform.
        if (const QRegion* clip = state->clipRegion(); clip && !clip->isEmpty())
            painter->setClipRegion(*clip, Qt::ReplaceClip);
        painter->setTransform(matrix()->toTransform());
        SoftwareOutlineClip::erase(*painter, pockets, shadowImage, shadowRect, shadowOpacity);
        painter->restore();
    }
    RenderingFlags flags() const override { return BoundedRectRendering; }
    QRectF rect() const override { return bounds; }

    QPainterPath pockets;
    QRectF bounds;
    QImage shadowImage;
    QRectF shadowRect;
    double shadowOpacity = 0;

private:
    QQuickWindow* m_window;
};

} // namespace

SoftwareOutlineClip::SoftwareOutlineClip(QQuickItem* parent)
    : QQuickItem(parent) {
    setFlag(ItemHasContents);
}

void SoftwareOutlineClip::setTopRadius(double value) {
    if (m_shape.topRadius == value)
        return;
    m_shape.topRadius = value;
    emit changed();
    update();
}

void SoftwareOutlineClip::setBottomRadius(double value) {
    if (m_shape.bottomRadius == value)
        return;
    m_shape.bottomRadius = value;
    emit changed();
    update();
}

NotchShadow* SoftwareOutlineClip::shadow() const {
    return m_shadow;
}

void SoftwareOutlineClip::setShadow(NotchShadow* shadow) {
    if (m_shadow == shadow)
        return;
    m_shadow = shadow;
    emit changed();
    update();
}

QPainterPath SoftwareOutlineClip::pockets(const NotchShape& shape, const QRectF& rect) {
    const NotchShape::Radii radii = shape.effectiveRadii(rect);
    QPainterPath body;
    body.addRect(rect.adjusted(radii.top, 0, -radii.top, 0));
    return body.subtracted(shape.path(rect));
}

void SoftwareOutlineClip::erase(QPainter& painter, const QPainterPath& pockets,
                                const QImage& shadow, const QRectF& shadowRect,
                                double shadowOpacity) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(pockets, Qt::black);
    if (!shadow.isNull() && shadowOpacity > 0) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setClipPath(pockets, Qt::IntersectClip);
        painter.setOpacity(shadowOpacity);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shadowRect, shadow);
    }
    painter.restore();
}

QSGNode* SoftwareOutlineClip::updatePaintNode(QSGNode* old, UpdatePaintNodeData*) {
    QQuickWindow* view = window();
    const bool software =
        view && view->rendererInterface()->graphicsApi() == QSGRendererInterface::Software;
    if (!software || width() <= 0 || height() <= 0) {
        delete old;
        return nullptr;
    }
    auto* node = static_cast<EraseNode*>(old);
    if (!node)
        node = new EraseNode(view);
    node->bounds = boundingRect();
    node->pockets = pockets(m_shape, boundingRect());
    node->shadowImage = {};
    node->shadowOpacity = 0;
    if (m_shadow && m_shadow->isVisible()) {
        node->shadowImage = m_shadow->image();
        node->shadowRect = m_shadow->mapRectToItem(this, m_shadow->boundingRect());
        node->shadowOpacity = m_shadow->opacity();
    }
    node->markDirty(QSGNode::DirtyMaterial);
    return node;
}

} // namespace zelvik
