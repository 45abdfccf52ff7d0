// A clipboard manager's part: reads every new CLIPBOARD content the moment its owner changes and reports it
// on stdout ("GELESEN:<text>"), "BEREIT" once it listens. It never takes the clipboard over. It ends when its
// stdin closes.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {

void melden(const char* zeile) {
    std::printf("%s\n", zeile);
    std::fflush(stdout);
}

} // namespace

int main() {
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 1;
    int fixesEreignis = 0, fixesFehler = 0;
    if (!XFixesQueryExtension(d, &fixesEreignis, &fixesFehler))
        return 1;
    const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom ablage = XInternAtom(d, "ABLAGELESER", False);
    // Unmapped: it never takes the focus from the target.
    const Window fenster = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    XFixesSelectSelectionInput(d, fenster, clipboard, XFixesSetSelectionOwnerNotifyMask);
    XSync(d, False);
    melden("BEREIT");

    pollfd quellen[2] = {{ConnectionNumber(d), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    for (;;) {
        while (XPending(d)) {
            XEvent ereignis;
            XNextEvent(d, &ereignis);
            if (ereignis.type == fixesEreignis + XFixesSelectionNotify) {
                const auto* neu = reinterpret_cast<XFixesSelectionNotifyEvent*>(&ereignis);
                if (neu->owner != None) {
                    XConvertSelection(d, clipboard, utf8, ablage, fenster, CurrentTime);
                    XFlush(d);
                }
            } else if (ereignis.type == SelectionNotify && ereignis.xselection.property != None) {
                Atom typ = None;
                int format = 0;
                unsigned long anzahl = 0, rest = 0;
                unsigned char* daten = nullptr;
                if (XGetWindowProperty(d, fenster, ablage, 0, 1024, True, AnyPropertyType, &typ, &format, &anzahl,
                                       &rest, &daten) == Success &&
                    daten) {
                    std::printf("GELESEN:%.*s\n", static_cast<int>(anzahl), reinterpret_cast<char*>(daten));
                    std::fflush(stdout);
                    XFree(daten);
                }
            }
        }
        if (poll(quellen, 2, -1) < 0)
            break;
        if (quellen[1].revents) {
            char puffer[64];
            if (::read(STDIN_FILENO, puffer, sizeof puffer) <= 0)
                break;
        }
    }
    XCloseDisplay(d);
    return 0;
}
