#include "x11keyboardstate.h"

#include "x11keymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace platform {

X11KeyboardState::~X11KeyboardState() {
    stop();
}

bool X11KeyboardState::start() {
    if (m_display)
        return true;
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    unsigned int verzoegerung = 0;
    unsigned int abstand = 0;
    if (XkbGetAutoRepeatRate(m_display, XkbUseCoreKbd, &verzoegerung, &abstand) && verzoegerung > 0)
        m_verzoegerungMs = static_cast<int>(verzoegerung);
    // Without raw events the state is still there to be read: the hotkey works, only by sampling.
    if (m_ereignisse == Ereignisse::Melden && m_sink)
        m_rohTasten.starten(m_sink);
    return true;
}

bool X11KeyboardState::stop() {
    m_rohTasten.beenden();
    if (m_display) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    return true;
}

KeyStateBytes X11KeyboardState::read() {
    if (!m_display)
        return {};
    char keys[32] = {};
    XQueryKeymap(m_display, keys);
    return x11::stateOfKeymap(keys);
}

} // namespace platform
