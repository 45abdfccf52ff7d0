#include "x11keystrokes.h"

#include "x11keymap.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace platform {

X11Keystrokes::~X11Keystrokes() {
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11Keystrokes::verbinden() {
    if (m_display || m_versucht)
        return m_display != nullptr;
    m_versucht = true;
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    return m_display != nullptr;
}

bool X11Keystrokes::send(const std::vector<KeyEvent>& events) {
    if (!verbinden())
        return false;
    for (const KeyEvent& event : events) {
        if (!x11::keycodeOfScanCode(event.scanCode))
            return false;
    }
    for (const KeyEvent& event : events) {
        XTestFakeKeyEvent(m_display, static_cast<unsigned>(x11::keycodeOfScanCode(event.scanCode)),
                          event.down ? True : False, CurrentTime);
    }
    XSync(m_display, False);
    return true;
}

} // namespace platform
