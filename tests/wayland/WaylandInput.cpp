// A pointer and a keyboard for a Wayland compositor that has no input
// devices (a headless one in tests), through the wlr virtual-pointer and the
// virtual-keyboard protocols. It reads one command a line on stdin and
// answers "ok" once the compositor has taken it (or "error ..."):
//
//   move X Y         the pointer to (X, Y) in layout pixels
//   down BUTTON      press left, right or middle
//   up BUTTON        release it
//   click BUTTON     press and release
//   key COMBO        press keys such as "Escape", "a" or "super+alt+n" in
//                    order and release them in reverse
//
// The keyboard carries the standard evdev/pc105/us keymap, so X clients
// behind XWayland see the keycodes they expect.
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboards = nullptr;
};

void announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        globals->keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

void forget(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener{announce, forget};

std::uint32_t now() {
    using namespace std::chrono;
    return std::uint32_t(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

class Keyboard {
public:
    Keyboard(zwp_virtual_keyboard_manager_v1* manager, wl_seat* seat) {
        m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
        m_keymap = xkb_keymap_new_from_names(m_context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (!m_keymap)
            return;
        m_state = xkb_state_new(m_keymap);
        m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
        char* text = xkb_keymap_get_as_string(m_keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
        const std::size_t size = std::strlen(text) + 1;
        const int fd = memfd_create("keymap", MFD_CLOEXEC);
        if (fd >= 0 && write(fd, text, size) == ssize_t(size))
            zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                           std::uint32_t(size));
        if (fd >= 0)
            close(fd);
        std::free(text);
    }

    bool valid() const { return m_keyboard != nullptr; }

    // The evdev code of the key that gives the named symbol without
    // modifiers, or -1.
    int codeOf(const std::string& name) const {
        const xkb_keysym_t wanted = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
        if (wanted == XKB_KEY_NoSymbol)
            return -1;
        const xkb_keycode_t last = xkb_keymap_max_keycode(m_keymap);
        for (xkb_keycode_t code = xkb_keymap_min_keycode(m_keymap); code <= last; ++code) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(m_keymap, code, 0, 0, &syms);
            for (int i = 0; i < count; ++i)
                if (syms[i] == wanted)
                    return int(code) - 8;
        }
        return -1;
    }

    void key(int code, bool down) {
        zwp_virtual_keyboard_v1_key(m_keyboard, now(), std::uint32_t(code),
                                    down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                         : WL_KEYBOARD_KEY_STATE_RELEASED);
        xkb_state_update_key(m_state, xkb_keycode_t(code + 8), down ? XKB_KEY_DOWN : XKB_KEY_UP);
        zwp_virtual_keyboard_v1_modifiers(
            m_keyboard, xkb_state_serialize_mods(m_state, XKB_STATE_MODS_DEPRESSED),
            xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LATCHED),
            xkb_state_serialize_mods(m_state, XKB_STATE_MODS_LOCKED),
            xkb_state_serialize_layout(m_state, XKB_STATE_LAYOUT_EFFECTIVE));
    }

private:
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
};

int buttonCode(const std::string& name) {
    if (name == "left")
        return BTN_LEFT;
    if (name == "right")
        return BTN_RIGHT;
    if (name == "middle")
        return BTN_MIDDLE;
    return -1;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("wayland_input: cannot connect to the Wayland display\n", stderr);
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.pointers || !globals.keyboards) {
        std::fputs("wayland_input: the compositor offers no virtual pointer or keyboard\n", stderr);
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.pointers, globals.seat);
    Keyboard keyboard(globals.keyboards, globals.seat);
    if (!keyboard.valid()) {
        std::fputs("wayland_input: no us keymap\n", stderr);
        return 1;
    }
    // The layout is the one 1920 x 1080 output of the test compositor; the
    // extent maps absolute positions onto it one to one.
    const std::uint32_t width = 1920, height = 1080;
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;

    std::string line;
    while (std::getline(std::cin, line)) {
        const std::vector<std::string> words = split(line, ' ');
        if (words.empty())
            continue;
        const std::string& command = words[0];
        std::string error;
        if (command == "move" && words.size() == 3) {
            zwlr_virtual_pointer_v1_motion_absolute(
                pointer, now(), std::uint32_t(std::stoul(words[1])),
                std::uint32_t(std::stoul(words[2])), width, height);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if ((command == "down" || command == "up" || command == "click") &&
                   words.size() == 2 && buttonCode(words[1]) >= 0) {
            const auto button = std::uint32_t(buttonCode(words[1]));
            if (command != "up") {
                zwlr_virtual_pointer_v1_button(pointer, now(), button,
                                               WL_POINTER_BUTTON_STATE_PRESSED);
                zwlr_virtual_pointer_v1_frame(pointer);
            }
            if (command != "down") {
                zwlr_virtual_pointer_v1_button(pointer, now(), button,
                                               WL_POINTER_BUTTON_STATE_RELEASED);
                zwlr_virtual_pointer_v1_frame(pointer);
            }
        } else if (command == "key" && words.size() == 2) {
            std::vector<int> codes;
            for (const std::string& name : split(words[1], '+')) {
                // Modifiers by their usual short names.
                const std::string symbol = name == "super"  ? "Super_L"
                                           : name == "alt"  ? "Alt_L"
                                           : name == "ctrl" ? "Control_L"
                                                            : (name == "shift" ? "Shift_L" : name);
                const int code = keyboard.codeOf(symbol);
                if (code < 0)
                    error = "unknown key " + name;
                codes.push_back(code);
            }
            if (error.empty()) {
                for (const int code : codes)
                    keyboard.key(code, true);
                for (auto it = codes.rbegin(); it != codes.rend(); ++it)
                    keyboard.key(*it, false);
            }
        } else {
            error = "cannot read \"" + line + "\"";
        }
        if (wl_display_roundtrip(display) < 0) {
            std::cout << "error the compositor went away" << std::endl;
            return 1;
        }
        std::cout << (error.empty() ? "ok" : "error " + error) << std::endl;
    }
    wl_display_disconnect(display);
    return 0;
}
