#pragma once

#include "window/HotKeyManager.h"

#include <xcb/xcb.h>

#include <functional>
#include <vector>

namespace zelvik {

class X11Connection;

// Alt+Super+N as a passive key grab on the root window. NumLock and CapsLock
// count as modifiers to X, so the grab is repeated for every combination of
// the two; otherwise the key would do nothing while either is on. A grab is
// made on a keycode and a modifier mask, both of which come from the
// keyboard mapping; when the mapping changes (another layout, xmodmap) the
// grab is made again where N and NumLock now are.
class X11GlobalShortcut final : public GlobalShortcut {
public:
    explicit X11GlobalShortcut(X11Connection& connection);

    void installHandler(std::function<void()> pressed) override;
    bool grab() override;
    void ungrab() override;

private:
    void handleEvent(const xcb_generic_event_t* event);
    void readKeyboardMapping();
    void release();
    std::vector<std::uint16_t> modifierVariants() const;

    X11Connection& m_connection;
    std::function<void()> m_pressed;
    xcb_keycode_t m_keycode = 0;
    std::uint16_t m_numLockMask = 0;
    bool m_grabbed = false;
    // What the held grab was made with, to let go of exactly that.
    xcb_keycode_t m_grabbedKeycode = 0;
    std::vector<std::uint16_t> m_grabbedVariants;
    xcb_timestamp_t m_lastRelease = 0;
};

} // namespace zelvik
