#include "X11GlobalShortcut.h"

#include "X11Connection.h"

#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>

namespace zelvik {

namespace {

constexpr std::uint16_t kModifiers = XCB_MOD_MASK_1 | XCB_MOD_MASK_4; // Alt + Super

xcb_keycode_t firstKeycode(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const xcb_keycode_t code = codes ? codes[0] : XCB_NO_SYMBOL;
    std::free(codes);
    return code;
}

} // namespace

X11GlobalShortcut::X11GlobalShortcut(X11Connection& connection)
    : m_connection(connection) {
    if (!connection.isValid())
        return;
    readKeyboardMapping();
    connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
}

void X11GlobalShortcut::installHandler(std::function<void()> pressed) {
    m_pressed = std::move(pressed);
}

void X11GlobalShortcut::readKeyboardMapping() {
    xcb_connection_t* c = m_connection.connection();
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    m_keycode = firstKeycode(symbols, XK_n);
    const xcb_keycode_t numLock = firstKeycode(symbols, XK_Num_Lock);
    xcb_key_symbols_free(symbols);

    // NumLock's modifier bit is whichever modifier its key is mapped to.
    auto* reply = xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    m_numLockMask = 0;
    if (reply && numLock != XCB_NO_SYMBOL) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8 && !m_numLockMask; ++modifier)
            for (int i = 0; i < perModifier; ++i)
                if (codes[modifier * perModifier + i] == numLock)
                    m_numLockMask = static_cast<std::uint16_t>(1u << modifier);
    }
    std::free(reply);
}

std::vector<std::uint16_t> X11GlobalShortcut::modifierVariants() const {
    std::vector<std::uint16_t> variants{kModifiers, kModifiers | XCB_MOD_MASK_LOCK};
    if (m_numLockMask) {
        variants.push_back(kModifiers | m_numLockMask);
        variants.push_back(kModifiers | m_numLockMask | XCB_MOD_MASK_LOCK);
    }
    return variants;
}

bool X11GlobalShortcut::grab() {
    xcb_connection_t* c = m_connection.connection();
    if (!c || m_keycode == XCB_NO_SYMBOL)
        return false;
    if (m_grabbed)
        return true;
    const auto variants = modifierVariants();
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t modifiers : variants)
        cookies.push_back(xcb_grab_key_checked(c, 1, m_connection.root(), modifiers, m_keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            refused = true; // BadAccess: another program holds the combination
            std::free(error);
        }
    }
    m_grabbed = true;
    m_grabbedKeycode = m_keycode;
    m_grabbedVariants = variants;
    if (refused) {
        // Grabs of ours that did succeed would only half work; drop them all.
        release();
        return false;
    }
    return true;
}

void X11GlobalShortcut::ungrab() {
    if (m_connection.connection())
        release();
}

void X11GlobalShortcut::release() {
    if (!m_grabbed)
        return;
    xcb_connection_t* c = m_connection.connection();
    for (const std::uint16_t modifiers : m_grabbedVariants)
        xcb_ungrab_key(c, m_grabbedKeycode, m_connection.root(), modifiers);
    xcb_flush(c);
    m_grabbed = false;
    m_grabbedVariants.clear();
}

void X11GlobalShortcut::handleEvent(const xcb_generic_event_t* event) {
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        // Every client hears of a new keyboard mapping. N (or NumLock) may
        // sit on another key now: the held grab is made again there.
        const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (mapping->request != XCB_MAPPING_KEYBOARD && mapping->request != XCB_MAPPING_MODIFIER)
            return;
        const bool wasGrabbed = m_grabbed;
        release();
        readKeyboardMapping();
        if (wasGrabbed)
            grab();
        return;
    }
    if (type == XCB_KEY_RELEASE) {
        m_lastRelease = reinterpret_cast<const xcb_key_release_event_t*>(event)->time;
        return;
    }
    if (type != XCB_KEY_PRESS || !m_grabbed)
        return;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (press->detail != m_keycode || (press->state & kModifiers) != kModifiers)
        return;
    // Auto-repeat sends a release and a press with the same time stamp.
    if (press->time == m_lastRelease)
        return;
    if (m_pressed)
        m_pressed();
}

} // namespace zelvik
