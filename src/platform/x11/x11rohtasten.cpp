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
    m_abgleich = TastenAbgleich{};
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
    std::vector<Roh> stapel;
    for (;;) {
        // Asking the keymap reads on from the connection: what came with the answer is already off the socket
        // and would wake no poll.
        while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
            einlesen(stapel);
            weitergeben(stapel);
        }
        warten[0].revents = warten[1].revents = 0;
        if (poll(warten, 2, -1) < 0)
            continue; // a signal; the wait goes on
        if (warten[1].revents != 0 || (warten[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return;
    }
}

void X11RohTasten::einlesen(std::vector<Roh>& stapel) {
    while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != m_opcode || !XGetEventData(m_display, cookie))
            continue;
        const auto* roh = static_cast<const XIRawEvent*>(cookie->data);
        const bool unten = cookie->evtype == XI_RawKeyPress;
        if ((unten || cookie->evtype == XI_RawKeyRelease) && !(roh->flags & XIKeyRepeat)) {
            if (const int code = x11::scanCodeOfKeycode(roh->detail))
                stapel.push_back({KeyEvent{static_cast<std::uint16_t>(code), unten}, cookie->serial});
        }
        XFreeEventData(m_display, cookie);
    }
}

void X11RohTasten::weitergeben(std::vector<Roh>& stapel) {
    std::size_t i = 0;
    while (i < stapel.size()) {
        if (!m_abgleich.brauchtSystem(stapel[i].event)) {
            m_abgleich.weitergeben(
                stapel[i].event, [](std::uint16_t) { return true; }, m_sink);
            ++i;
            continue;
        }
        // The keymap is only the state as it is now, which a quick hand may have left already. The server
        // numbers its events by the last request it had handled, and sends every event it made before the
        // answer ahead of it: the events up to the answer lead back from the keymap to each of them.
        const unsigned long anfrage = NextRequest(m_display);
        char keys[32] = {};
        XQueryKeymap(m_display, keys);
        einlesen(stapel);
        const KeyStateBytes danach = x11::stateOfKeymap(keys);
        std::size_t bis = i;
        while (bis < stapel.size() && stapel[bis].serial < anfrage)
            ++bis;
        std::vector<KeyEvent> folgende;
        folgende.reserve(bis - i);
        for (std::size_t j = i; j < bis; ++j)
            folgende.push_back(stapel[j].event);
        // Events after the answer come round again, with a keymap of their own where they need one.
        for (std::size_t j = 0; j < folgende.size(); ++j, ++i) {
            const std::span<const KeyEvent> rest(folgende.begin() + static_cast<std::ptrdiff_t>(j), folgende.end());
            m_abgleich.weitergeben(
                folgende[j], [&](std::uint16_t code) { return TastenAbgleich::vorher(code, rest, danach); }, m_sink);
        }
    }
    stapel.clear();
}

} // namespace platform
