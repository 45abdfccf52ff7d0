#include "tastenwiederholung.h"

#include <X11/Xlib.h>

void tastenwiederholungAus() {
    if (Display* d = XOpenDisplay(nullptr)) {
        XAutoRepeatOff(d);
        XSync(d, False);
        XCloseDisplay(d);
    }
}
