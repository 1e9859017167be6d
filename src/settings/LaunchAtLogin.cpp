#include "LaunchAtLogin.h"

namespace zelvik {

LaunchAtLogin::LaunchAtLogin(LoginItemService* service, QObject* parent)
    : QObject(parent)
    , m_service(service) {
    refresh();
}

void LaunchAtLogin::refresh() {
    const bool enabled = m_service && m_service->isEnabled();
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit enabledChanged();
}

void LaunchAtLogin::setEnabled(bool enabled) {
    if (m_service)
        m_service->setEnabled(enabled);
    // What the desktop holds now, also when the change could not be made.
    refresh();
}

} // namespace zelvik
