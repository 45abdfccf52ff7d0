#include "x11keystrokes.h"

#include "x11keymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

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

namespace {

// The group a key takes for the group in force, as the server picks it for a key with fewer groups.
int gruppeDerTaste(XkbDescPtr xkb, int keycode, int gruppe) {
    const int gruppen = XkbKeyNumGroups(xkb, keycode);
    if (gruppe < gruppen)
        return gruppe;
    const unsigned char info = XkbKeyGroupInfo(xkb, keycode);
    switch (XkbOutOfRangeGroupAction(info)) {
    case XkbClampIntoRange:
        return gruppen - 1;
    case XkbRedirectIntoRange:
        return XkbOutOfRangeGroupNumber(info) < gruppen ? XkbOutOfRangeGroupNumber(info) : 0;
    default:
        return gruppe % gruppen;
    }
}

} // namespace

std::uint16_t X11Keystrokes::vTaste() {
    if (!verbinden())
        return kVQwertz;
    XkbStateRec zustand{};
    if (XkbGetState(m_display, XkbUseCoreKbd, &zustand) != Success)
        return kVQwertz;
    // Fetched each time: the copy Xlib keeps follows a new layout only where its events are read, and nobody
    // reads them on this connection.
    XkbDescPtr xkb = XkbGetMap(m_display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!xkb)
        return kVQwertz;
    std::uint16_t taste = 0;
    for (int keycode = xkb->min_key_code; keycode <= xkb->max_key_code && taste == 0; ++keycode) {
        if (XkbKeyNumGroups(xkb, keycode) == 0)
            continue;
        if (XkbKeySymEntry(xkb, keycode, 0, gruppeDerTaste(xkb, keycode, zustand.group)) == XK_v)
            taste = static_cast<std::uint16_t>(x11::scanCodeOfKeycode(keycode));
    }
    XkbFreeKeyboard(xkb, 0, True);
    return taste != 0 ? taste : kVQwertz;
}

} // namespace platform
