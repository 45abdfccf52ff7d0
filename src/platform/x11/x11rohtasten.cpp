#include "x11rohtasten.h"

#include "x11keymap.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {

X11RohTasten::~X11RohTasten() {
    beenden();
}

bool X11RohTasten::starten(KeyboardState::EventSink sink) {
    if (laeuft())
        return true;
    if (!sink)
        return false;
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    int ereignis = 0;
    int fehler = 0;
    int major = 2;
    int minor = 2;
    // Raw events reach root-window clients regardless of grabs only from 2.1 on; 2.2 is what servers of the
    // last decade offer.
    bool tauglich = XQueryExtension(m_display, "XInputExtension", &m_opcode, &ereignis, &fehler) &&
                    XIQueryVersion(m_display, &major, &minor) == Success && (major > 2 || (major == 2 && minor >= 2));
    if (tauglich) {
        unsigned char maske[XIMaskLen(XI_LASTEVENT)] = {};
        XISetMask(maske, XI_RawKeyPress);
        XISetMask(maske, XI_RawKeyRelease);
        XIEventMask auswahl{XIAllMasterDevices, sizeof maske, maske};
        XISelectEvents(m_display, DefaultRootWindow(m_display), &auswahl, 1);
        XSync(m_display, False);
        tauglich = pipe2(m_weckruf, O_CLOEXEC | O_NONBLOCK) == 0;
    }
    if (!tauglich) {
        XCloseDisplay(m_display);
        m_display = nullptr;
        return false;
    }
    m_sink = std::move(sink);
    m_thread = std::thread([this] { schleife(); });
    return true;
}

void X11RohTasten::beenden() {
    if (!laeuft())
        return;
    const char ende = 1;
    (void)!write(m_weckruf[1], &ende, 1);
    m_thread.join();
    close(m_weckruf[0]);
    close(m_weckruf[1]);
    m_weckruf[0] = m_weckruf[1] = -1;
    XCloseDisplay(m_display);
    m_display = nullptr;
    m_sink = nullptr;
}

void X11RohTasten::schleife() {
    pollfd warten[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_weckruf[0], POLLIN, 0}};
    for (;;) {
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != m_opcode || !XGetEventData(m_display, cookie))
                continue;
            const auto* roh = static_cast<const XIRawEvent*>(cookie->data);
            const bool unten = cookie->evtype == XI_RawKeyPress;
            if ((unten || cookie->evtype == XI_RawKeyRelease) && !(roh->flags & XIKeyRepeat))
                melden(roh->detail, unten);
            XFreeEventData(m_display, cookie);
        }
        warten[0].revents = warten[1].revents = 0;
        if (poll(warten, 2, -1) < 0)
            continue; // a signal; the wait goes on
        if (warten[1].revents != 0 || (warten[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return;
    }
}

void X11RohTasten::melden(int keycode, bool unten) {
    if (const int code = x11::scanCodeOfKeycode(keycode))
        m_sink(KeyEvent{static_cast<std::uint16_t>(code), unten});
}

} // namespace platform
