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
