#pragma once

#include "platform/keyboardstate.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <span>

namespace platform {

// Keeps the key events a source hands on in step with the system's own key state. A source can miss a
// release: Windows shows its low-level hook no key at all while the secure desktop is up (Ctrl+Alt+Del, Win+L,
// a UAC prompt) or an elevated window has the focus. A Ctrl let go there would stay down for the key watch,
// and the next plain Y would paste a weight. So whenever a key goes down, every modifier of the hotkey rule
// that was reported down is checked against the system, and one the system has up is reported up first.
// The check belongs where the event is received, at the moment it happens: by the time the window thread
// handles the event, a quick hand may have let go of Ctrl already, and a real Ctrl+Y would be lost.
// Plain C++: the Windows hook and the X11 event thread use it, and tests drive it with a made-up state.
class TastenAbgleich {
public:
    // Left and right Ctrl, left Alt and AltGr: what the hotkey rule looks at besides the main key.
    static constexpr std::array<std::uint16_t, 4> kUmschalter{29, 157, 56, 184};

    // Whether the system had the key (by scan code) down just before the event being handed on.
    using Systemzustand = std::function<bool(std::uint16_t scanCode)>;

    // Hands `event` on to `sink`. A key going down is preceded by an up for every modifier reported down that
    // the system has up. A key going down that was reported down already is the keyboard repeating and is
    // not handed on, unless the system has it up: then its release went missing and is reported first.
    // Releases always go on, so every reported press is matched.
    void weitergeben(const KeyEvent& event, const Systemzustand& system, const KeyboardState::EventSink& sink);
    // The check alone, for a key going down that is not handed on itself (the left Ctrl Windows adds to AltGr).
    void abgleichen(const Systemzustand& system, const KeyboardState::EventSink& sink);
    // Whether handing on `event` would ask the system at all; asking can cost a round trip.
    bool brauchtSystem(const KeyEvent& event) const;
    bool gemeldet(std::uint16_t scanCode) const { return scanCode < m_gemeldet.size() && m_gemeldet[scanCode]; }

    // The state of a key just before the first of `folgende` took effect, from `danach`, the state after the
    // last of them: where the system tells only the state as it is now (X11's keymap), the events received
    // meanwhile lead back to the moment of the first.
    static bool vorher(std::uint16_t scanCode, std::span<const KeyEvent> folgende, const KeyStateBytes& danach);

private:
    void loslassenWennOben(std::uint16_t ausser, const Systemzustand& system, const KeyboardState::EventSink& sink);

    std::bitset<256> m_gemeldet;
};

} // namespace platform
