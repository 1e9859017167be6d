#include "HotKeyManager.h"

namespace zelvik {

HotKeyManager::HotKeyManager(GlobalShortcut* shortcut)
    : m_shortcut(shortcut)
    , m_self(std::make_shared<HotKeyManager*>(this)) {}

HotKeyManager::~HotKeyManager() {
    *m_self = nullptr;
}

void HotKeyManager::setShortcut(GlobalShortcut* shortcut) {
    if (m_shortcut == shortcut)
        return;
    if (m_shortcut && m_registered)
        m_shortcut->ungrab();
    m_shortcut = shortcut;
    m_registered = false;
    m_handlerInstalled = false;
}

void HotKeyManager::registerHotKey() {
    if (m_registered || !m_shortcut)
        return;
    if (!m_handlerInstalled) {
        std::weak_ptr<HotKeyManager*> weak = m_self;
        m_shortcut->installHandler([weak] {
            const auto self = weak.lock();
            if (self && *self && (*self)->onPress)
                (*self)->onPress();
        });
        m_handlerInstalled = true;
    }
    m_registered = m_shortcut->grab();
}

void HotKeyManager::unregisterHotKey() {
    if (!m_registered)
        return;
    if (m_shortcut)
        m_shortcut->ungrab();
    m_registered = false;
}

} // namespace zelvik
