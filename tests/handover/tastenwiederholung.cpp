#include "tastenwiederholung.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

void tastenwiederholungAus() {
    if (Display* d = XOpenDisplay(nullptr)) {
        XAutoRepeatOff(d);
        XSync(d, False);
        XCloseDisplay(d);
    }
}

void wiederholVerzoegerungSetzen(int ms) {
    if (Display* d = XOpenDisplay(nullptr)) {
        XkbSetAutoRepeatRate(d, XkbUseCoreKbd, static_cast<unsigned>(ms), 40);
        XSync(d, False);
        XCloseDisplay(d);
    }
}

char zeichenDerTaste(int scanCode) {
    char zeichen = 0;
    if (Display* d = XOpenDisplay(nullptr)) {
        // Keycodes of the evdev keymap are the Linux codes plus 8, which for the main block are the scan codes.
        const KeySym sym = XkbKeycodeToKeysym(d, static_cast<KeyCode>(scanCode + 8), 0, 0);
        if (sym >= 0x20 && sym < 0x7f)
            zeichen = static_cast<char>(sym);
        XCloseDisplay(d);
    }
    return zeichen;
}
