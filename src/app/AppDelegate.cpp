#include "AppDelegate.h"

#include "model/NotchModel.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/FreedesktopNotificationCenter.h"
#include "settings/DefaultsStore.h"

namespace zelvik {

AppDelegate::AppDelegate(QObject* parent)
    : QObject(parent)
    , m_notifications(std::make_unique<FreedesktopNotificationCenter>(m_scheduler))
    , m_sounds(std::make_unique<CanberraSoundPlayer>())
    , m_model(std::make_unique<NotchModel>(
          NotchModel::Environment{DefaultsStore::standard(), m_scheduler, m_clock, &m_haptics})) {
    m_model->setNotificationCenter(m_notifications.get());
    m_model->setSoundPlayer(m_sounds.get());
}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching() {
    m_model->start();
}

} // namespace zelvik
