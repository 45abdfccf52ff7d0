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
// counted and waits for it. The keys of the program's own Ctrl+V come back as events too; they are
// registered beforehand and then neither end a hold nor count as a press. Times are in milliseconds on a
// steady clock.
class Tastendruck {
public:
    static constexpr int kVorgabeVerzoegerungMs = 500;
    // An own key that has not come back by then is not waited for any longer.
    static constexpr int kEchoFristMs = 1000;

    struct Taste {
        int index;
        int code;
    };

    void setVerzoegerungMs(int ms) { m_verzoegerungMs = ms; }
    // The keys as they are when the watch begins.
    void setzen(const platform::KeyStateBytes& state) { m_tasten = state; }

    // A key event from the system.
    void ereignis(const platform::KeyEvent& event, const Taste& taste, qint64 jetzt);
    // A tick's reading of all keys; `frei` says whether a paste could start now.
    void takt(const platform::KeyStateBytes& gelesen, const Taste& taste, bool frei, qint64 jetzt);
    // Whether the next tick has to read the keys: with events only while the main key is down or a hold
    // runs; the rest of the time the events tell all.
    bool leseBedarf(const Taste& taste) const;
    // The events of an own paste, about to come back.
    void eigene(const std::vector<platform::KeyEvent>& events, qint64 jetzt);

    int offen() const { return m_offen; }
    // Takes one waiting paste; false when none waits.
    bool entnehmen();
    // Drops the waiting pastes (there is no weight to paste).
    void verwerfen() { m_offen = 0; }
    bool haelt() const { return m_haelt; }

private:
    struct Echo {
        platform::KeyEvent event;
        qint64 zeit;
    };

    bool echoVerbraucht(const platform::KeyEvent& event, qint64 jetzt);
    void druck(qint64 jetzt);

    platform::KeyStateBytes m_tasten{};
    std::deque<Echo> m_echos;
    int m_verzoegerungMs = kVorgabeVerzoegerungMs;
    int m_offen = 0;
    bool m_haelt = false;
    qint64 m_seit = 0;
};

} // namespace handover
