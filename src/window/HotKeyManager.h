#pragma once

#include <functional>
#include <memory>

namespace zelvik {

// The desktop's side of a system-wide shortcut: Alt+Super+N, whichever
// window has the keyboard.
class GlobalShortcut {
public:
    virtual ~GlobalShortcut() = default;
    // Installs the press handler; called once, before the first grab.
    virtual void installHandler(std::function<void()> pressed) = 0;
    // Takes the key; false when the desktop refuses it (another program
    // already owns the combination).
    virtual bool grab() = 0;
    virtual void ungrab() = 0;
};

// Registers the one global shortcut and runs onPress when it is pressed.
class HotKeyManager {
public:
    // Without a shortcut backend (no desktop) registering never succeeds.
    explicit HotKeyManager(GlobalShortcut* shortcut = nullptr);
    ~HotKeyManager();

    void setShortcut(GlobalShortcut* shortcut);
    // Whether the desktop lets Zelvik take a system-wide key at all (not
    // under a Wayland compositor, where a desktop shortcut runs
    // `zelvik --toggle` instead).
    bool hasShortcut() const { return m_shortcut != nullptr; }

    // Takes the key unless it is held already. A refusal is silent; the next
    // call tries again.
    void registerHotKey();
    // Lets the key go, if held. The handler stays installed.
    void unregisterHotKey();

    bool isRegistered() const { return m_registered; }
    bool isHandlerInstalled() const { return m_handlerInstalled; }

    std::function<void()> onPress;

private:
    GlobalShortcut* m_shortcut;
    bool m_registered = false;
    bool m_handlerInstalled = false;
    // Lets the installed handler notice that the manager is gone.
    std::shared_ptr<HotKeyManager*> m_self;
};

} // namespace zelvik
