#include "NotchModel.h"

#include "settings/NotchSettings.h"
#include "window/HotKeyManager.h"

namespace zelvik {

bool NotchModel::isHotKeyAvailable() const {
    return m_hotKey->hasShortcut();
}

// The shortcut toggles the notch and follows the hotKeyEnabled setting.
void NotchModel::wireHotKey() {
    QPointer<NotchModel> self(this);
    m_hotKey->onPress = [self] {
        if (self)
            self->toggle();
    };
    m_settings->onHotKeyChange = [self] {
        if (!self)
            return;
        if (self->m_settings->hotKeyEnabled())
            self->m_hotKey->registerHotKey();
        else
            self->m_hotKey->unregisterHotKey();
    };
    m_settings->onHotKeyChange();
}

} // namespace zelvik
