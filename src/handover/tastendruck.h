#pragma once

#include "platform/keyboardstate.h"

#include <QtGlobal>
#include <deque>
#include <vector>

namespace handover {

// When the hotkey asks for a paste. Each press pastes once: its main key going down while the modifier rule
// holds, seen as an event or, where the system sends none, at the tick that finds the hotkey held. Held on,
// the hotkey repeats at the ticks like the keyboard's own auto-repeat, only after the repeat delay, so a
// normal keystroke of up to that long gives exactly one weight. A press while a paste is under way is
// counted and waits for it. Where the keys' own events come back, they are registered beforehand and then
// neither end a hold nor count as a press. Times are in milliseconds on a steady clock.
//
// The events reach the window thread through its queue, so a tick's reading can be ahead of the events
// still waiting there. Each decides for its own moment: an event by the keys as the events left them, a
// tick by what it reads; a reading is never written into the events' account, where it would let go of a
// Ctrl that a queued press of the main key was made with. A press the tick counts before its event has come
// waits for that event, which is then no second press. When it does not come within kFristTakte more ticks,
// or the main key stays otherwise than the events say, the system has stopped reporting keys (Windows
// silently removes a keyboard hook that answered too late): that counts as a failure of the events, and
// the ticks alone decide until an event comes again.
class Tastendruck {
public:
    static constexpr int kVorgabeVerzoegerungMs = 500;
    // An own key that has not come back by then is not waited for any longer.
    static constexpr int kEchoFristMs = 1000;
    // Ticks after the one that saw it within which a key's event has come if the system reports it at all.
    static constexpr int kFristTakte = 2;
    // How far the system's reading may lag behind its own events: Windows posts a key to the hook before it
    // updates what GetAsyncKeyState reads, so a tick just after the main key's release may still read it
    // down. Such a reading is no press; a real one within that time comes as an event of its own.
    static constexpr int kNachlaufMs = 100;

    struct Taste {
        int index;
        int code;
    };

    void setVerzoegerungMs(int ms) { m_verzoegerungMs = ms; }
    // Whether the system reports the keys as they move; without, the ticks decide alone and nothing waits
    // for an event.
    void setMitEreignissen(bool mit) { m_mitEreignissen = mit; }
    // The keys as they are when the watch begins.
    void setzen(const platform::KeyStateBytes& state) { m_tasten = state; }

    // A key event from the system.
    void ereignis(const platform::KeyEvent& event, const Taste& taste, qint64 jetzt);
    // A tick's reading of all keys; `frei` says whether a paste could start now.
    void takt(const platform::KeyStateBytes& gelesen, const Taste& taste, bool frei, qint64 jetzt);
    // The events of an own paste, about to come back.
    void eigene(const std::vector<platform::KeyEvent>& events, qint64 jetzt);

    int offen() const { return m_offen; }
    // Takes one waiting paste; false when none waits.
    bool entnehmen();
    // Drops the waiting pastes (there is no weight to paste).
    void verwerfen() { m_offen = 0; }
    bool haelt() const { return m_haelt; }
    // How often the events have been found missing since the start.
    int ausfaelle() const { return m_ausfaelle; }

private:
    struct Echo {
        platform::KeyEvent event;
        qint64 zeit;
    };

    bool echoVerbraucht(const platform::KeyEvent& event, qint64 jetzt);
    void druck(qint64 jetzt);
    bool ausgefallen(const platform::KeyStateBytes& gelesen, const Taste& taste);

    platform::KeyStateBytes m_tasten{};
    std::deque<Echo> m_echos;
    int m_verzoegerungMs = kVorgabeVerzoegerungMs;
    int m_offen = 0;
    bool m_haelt = false;
    qint64 m_seit = 0;
    // When the events last let go of the main key; none yet: long ago.
    qint64 m_losgelassen = -kNachlaufMs;
    bool m_mitEreignissen = false;
    // Ticks since one counted a press whose event is still to come; -1 while none is.
    int m_ausstehend = -1;
    // Ticks in a row at which the main key was otherwise than the events say.
    int m_abweichung = 0;
    int m_ausfaelle = 0;
    // Found missing and not come again since.
    bool m_stumm = false;
};

} // namespace handover
