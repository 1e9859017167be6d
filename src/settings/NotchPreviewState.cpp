#include "NotchPreviewState.h"

#include "NotchSettings.h"
#include "model/NotchModel.h"
#include "views/NotchLook.h"
#include "views/NotchSpring.h"

namespace zelvik {

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
    // Drawn as the notch itself draws it, without a notice.
    const NotchLookInput look{m_open, false, m_model->hasPhysicalNotch()};
    const NotchRadii radii = notchRadii(look);
    const double top = radii.top;
    const double bottom = radii.bottom;
    const double glass = notchGlass(look, settings.glassAmount(), settings.glassWhenClosed());
    const QColor tint = settings.tintWithArtwork() ? sampleArtworkColor() : QColor();
    const double shadow = notchShadowOpacity(look, settings.showShadow(), glass);
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
