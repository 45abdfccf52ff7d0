#include "x11keyboardstate.h"

#include "x11keymap.h"

#include <X11/Xlib.h>

namespace platform {

X11KeyboardState::~X11KeyboardState() {
    stop();
}

bool X11KeyboardState::start() {
    if (m_display)
        return true;
    m_display = XOpenDisplay(nullptr);
    return m_display != nullptr;
}

bool X11KeyboardState::stop() {
    if (m_display) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    return true;
}

KeyStateBytes X11KeyboardState::read() {
    KeyStateBytes state{};
    if (!m_display)
        return state;
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    for (int keycode = 8; keycode < 256; ++keycode) {
        if ((static_cast<unsigned char>(keys[keycode / 8]) >> (keycode % 8)) & 1) {
            if (const int code = x11::scanCodeOfKeycode(keycode))
                state[static_cast<std::size_t>(code)] = 0x80;
        }
    }
    return state;
}

} // namespace platform
