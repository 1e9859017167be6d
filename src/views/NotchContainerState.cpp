#include "NotchContainerState.h"

#include "NotchLook.h"
#include "model/NotchModel.h"
#include "settings/NotchSettings.h"

#include <QCoreApplication>

namespace zelvik {

namespace {

template <typename T, typename Signal>
void assign(NotchContainerState* self, T& field, const T& value, Signal changed) {
    if (field == value)
        return;
    field = value;
    emit(self->*changed)();
}

} // namespace

NotchContainerState::NotchContainerState(QObject* parent)
    : QObject(parent) {}

NotchModel* NotchContainerState::model() const {
    return m_model;
}

void NotchContainerState::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
        disconnect(m_model->settings(), nullptr, this, nullptr);
    }
    m_model = model;
    if (model) {
        for (auto signal :
             {&NotchModel::statusChanged, &NotchModel::hudChanged, &NotchModel::shapeSizeChanged,
              &NotchModel::hasPhysicalNotchChanged, &NotchModel::closedActivityChanged})
            connect(model, signal, this, &NotchContainerState::refresh);
        NotchSettings* settings = model->settings();
        for (auto signal :
             {&NotchSettings::glassAmountChanged, &NotchSettings::glassWhenClosedChanged,
              &NotchSettings::tintWithArtworkChanged, &NotchSettings::showShadowChanged,
              &NotchSettings::hideWhenIdleWithoutNotchChanged,
              &NotchSettings::animationStyleChanged})
            connect(settings, signal, this, &NotchContainerState::refresh);
    }
    emit modelChanged();
    refresh();
}

void NotchContainerState::watchMusic() {
    disconnect(m_musicConnection);
    if (MusicStatus* music = m_model ? m_model->music() : nullptr)
        m_musicConnection =
            connect(music, &MusicStatus::changed, this, &NotchContainerState::refresh);
}

void NotchContainerState::refresh() {
    if (!m_model)
        return;
    // The music source may be plugged in after the views were built.
    watchMusic();

    const NotchModel& model = *m_model;
    const NotchSettings& settings = *model.settings();
    const NotchStatus status = model.status();
    const bool open = status == NotchStatus::open;
    const bool hasHud = model.hud().has_value();

    QString content = QStringLiteral("closed");
    QString key = content;
    if (open) {
        content = key = QStringLiteral("open");
    } else if (hasHud) {
        content = QStringLiteral("hud");
        key = content + u':' + model.hud()->id.toString(QUuid::WithoutBraces);
    }

    const NotchLookInput look{open, hasHud, model.hasPhysicalNotch()};
    const NotchRadii radii = notchRadii(look);
    const QSizeF body = model.shapeSize();
    const double glass = notchGlass(look, settings.glassAmount(), settings.glassWhenClosed());

    QColor tint;
    const MusicStatus* music = model.music();
    if (settings.tintWithArtwork() && music && music->isPlaying())
        tint = music->accentColor();

    const double shadow = notchShadowOpacity(look, settings.showShadow(), glass);

    // Without a hardware notch to merge with, an idle capsule can disappear;
    // the window stays and the pointer still brings it back.
    const bool hidden = settings.hideWhenIdleWithoutNotch() && !model.hasPhysicalNotch() &&
                        status == NotchStatus::closed && !hasHud &&
                        !model.closedActivity().has_value();

    assign(this, m_content, content, &NotchContainerState::contentChanged);
    assign(this, m_contentKey, key, &NotchContainerState::contentKeyChanged);
    assign(this, m_topRadius, radii.top, &NotchContainerState::topRadiusChanged);
    assign(this, m_bottomRadius, radii.bottom, &NotchContainerState::bottomRadiusChanged);
    assign(this, m_frameWidth, body.width() + 2 * radii.top,
           &NotchContainerState::frameWidthChanged);
    assign(this, m_frameHeight, body.height(), &NotchContainerState::frameHeightChanged);
    assign(this, m_effectiveGlass, glass, &NotchContainerState::effectiveGlassChanged);
    assign(this, m_tint, tint, &NotchContainerState::tintChanged);
    assign(this, m_shadowOpacity, shadow, &NotchContainerState::shadowOpacityChanged);
    assign(this, m_hiddenWhenIdle, hidden, &NotchContainerState::hiddenWhenIdleChanged);
    assign(this, m_acceptsClicks, !open, &NotchContainerState::acceptsClicksChanged);
    assign(this, m_spring, springFor(settings.animationStyle()),
           &NotchContainerState::springChanged);
}

void NotchContainerState::setDropTargeted(bool targeted) {
    if (!m_model)
        return;
    m_model->setIsDropTargeted(targeted);
    if (targeted)
        m_model->open(ZelvikPanel::shelf);
}

void NotchContainerState::quitApplication() {
    QCoreApplication::quit();
}

} // namespace zelvik
