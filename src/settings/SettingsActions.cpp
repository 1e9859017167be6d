#include "SettingsActions.h"

#include "AppLanguage.h"
#include "NotchSettings.h"
#include "model/NotchModel.h"
#include "model/SoundPlayer.h"

namespace zelvik {

SettingsActions::SettingsActions(QObject* parent)
    : QObject(parent) {}

void SettingsActions::setModel(NotchModel* model) {
    if (m_model == model)
        return;
    disconnect(m_shelfConnection);
    m_model = model;
    if (model)
        m_shelfConnection =
            connect(model, &NotchModel::shelfChanged, this, &SettingsActions::refreshShelfCount);
    emit modelChanged();
    refreshShelfCount();
}

void SettingsActions::refreshShelfCount() {
    const int count = m_model ? int(m_model->shelf().size()) : 0;
    if (count == m_shelfCount)
        return;
    m_shelfCount = count;
    emit shelfCountChanged();
}

QString SettingsActions::version() {
    return QStringLiteral(ZELVIK_VERSION);
}

void SettingsActions::showSampleAlert() {
    if (!m_model)
        return;
    HUDEvent event;
    event.symbol = QStringLiteral("sparkles");
    event.tint = Qt::white;
    event.title = localized("Hi, I'm Zelvik", "Merhaba, ben Zelvik");
    m_model->showHUD(event);
}

void SettingsActions::showOnRealNotch() {
    if (m_model)
        m_model->open();
}

void SettingsActions::showShelfFolder() {
    if (m_model)
        m_model->revealShelfFolder();
}

void SettingsActions::emptyShelf() {
    if (m_model)
        m_model->clearShelf();
}

bool SettingsActions::playSound(const QString& name) {
    SoundPlayer* player = m_model ? m_model->soundPlayer() : nullptr;
    return player && !name.isEmpty() && player->play(name);
}

void SettingsActions::resetAllSettings() {
    if (m_model)
        m_model->settings()->resetToDefaults();
}

} // namespace zelvik
