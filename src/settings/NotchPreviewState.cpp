#include "NotchPreviewState.h"

#include "NotchSettings.h"
#include "model/NotchModel.h"
#include "views/NotchSpring.h"

#include <algorithm>
#include <cmath>

namespace zelvik {

namespace {

// The notch container's outline: the open panel flares and rounds deeper
// than the closed notch. Its shadow is 0.55 strong, thinning with glass.
constexpr double kOpenTop = 16;
constexpr double kOpenBottom = 38;
constexpr double kClosedTop = 8;
constexpr double kClosedBottom = 15;
constexpr double kShadowStrength = 0.55;

} // namespace

NotchPreviewState::NotchPreviewState(QObject* parent)
    : QObject(parent) {}

void NotchPreviewState::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    for (const auto& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_model = model;
    if (model) {
        m_connections << connect(model, &NotchModel::openShapeSizeChanged, this,
                                 &NotchPreviewState::refresh);
        m_connections << connect(model, &NotchModel::notchSizeChanged, this,
                                 &NotchPreviewState::refresh);
        m_connections << connect(model, &NotchModel::hasPhysicalNotchChanged, this,
                                 &NotchPreviewState::refresh);
        NotchSettings* settings = model->settings();
        for (auto signal :
             {&NotchSettings::glassAmountChanged, &NotchSettings::glassWhenClosedChanged,
              &NotchSettings::tintWithArtworkChanged, &NotchSettings::showShadowChanged,
              &NotchSettings::animationStyleChanged, &NotchSettings::openSizeChanged})
            m_connections << connect(settings, signal, this, &NotchPreviewState::refresh);
    }
    emit modelChanged();
    refresh();
}

void NotchPreviewState::setOpen(bool open) {
    if (open == m_open)
        return;
    m_open = open;
    emit openChanged();
    refresh();
}

void NotchPreviewState::refresh() {
    if (!m_model)
        return;
    const NotchSettings& settings = *m_model->settings();
    const QSizeF body = m_open ? m_model->openShapeSize() : m_model->notchSize();
    const double top = m_open ? kOpenTop : kClosedTop;
    const double bottom = m_open ? kOpenBottom : kClosedBottom;

    const double stored = settings.glassAmount();
    double glass = std::isfinite(stored) ? std::clamp(stored, 0.0, 1.0) : 0.0;
    if (!m_open && m_model->hasPhysicalNotch() && !settings.glassWhenClosed())
        glass = 0;
    const QColor tint = settings.tintWithArtwork() ? sampleArtworkColor() : QColor();
    const double shadow = m_open && settings.showShadow() ? (1 - 0.5 * glass) * kShadowStrength : 0;
    const SpringParameters spring = springFor(settings.animationStyle());

    const double width = body.width() + 2 * top;
    if (width != m_frameWidth || body.height() != m_frameHeight || top != m_topRadius ||
        bottom != m_bottomRadius) {
        m_frameWidth = width;
        m_frameHeight = body.height();
        m_topRadius = top;
        m_bottomRadius = bottom;
        emit shapeChanged();
    }
    if (glass != m_glass || tint != m_tint || shadow != m_shadowOpacity) {
        m_glass = glass;
        m_tint = tint;
        m_shadowOpacity = shadow;
        emit lookChanged();
    }
    if (spring.response != m_springResponse || spring.dampingFraction != m_springDamping) {
        m_springResponse = spring.response;
        m_springDamping = spring.dampingFraction;
        emit springChanged();
    }
}

} // namespace zelvik
