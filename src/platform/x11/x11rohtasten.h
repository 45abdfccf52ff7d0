#pragma once

#include "platform/keyboardstate.h"
#include "platform/tastenabgleich.h"

#include <thread>
#include <vector>

typedef struct _XDisplay Display;

namespace platform {

// The X server's raw key events (XInput 2.2), which it sends to a client that asks for them on the root
// window whatever client has the focus, without a grab: every key going down and up, the operator's and
// synthetic ones alike. They are read on a connection and a thread of their own, so a busy window thread
// delays none of them. Before a key goes down while a modifier is reported down, the server's keymap is
// asked on the same connection, so that the answer can be traced back to the very moment of the event (see
// TastenAbgleich).
class X11RohTasten {
public:
    X11RohTasten() = default;
    ~X11RohTasten();
    X11RohTasten(const X11RohTasten&) = delete;
    X11RohTasten& operator=(const X11RohTasten&) = delete;

    // False, with nothing left open, where the server lacks XInput 2.2 or no connection is to be had.
    bool starten(KeyboardState::EventSink sink);
    void beenden();
    bool laeuft() const { return m_thread.joinable(); }

private:
    // A key event with the number of the last request the server had handled when it made it.
    struct Roh {
        KeyEvent event;
        unsigned long serial;
    };

    void schleife();
    // Moves the key events received so far to the end of `stapel`.
    void einlesen(std::vector<Roh>& stapel);
    void weitergeben(std::vector<Roh>& stapel);

    Display* m_display = nullptr;
    int m_opcode = 0;
    // Written to end the thread's wait for the server.
    int m_weckruf[2] = {-1, -1};
    KeyboardState::EventSink m_sink;
    TastenAbgleich m_abgleich;
    std::thread m_thread;
};

} // namespace platform
