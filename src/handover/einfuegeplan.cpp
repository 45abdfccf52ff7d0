#include "einfuegeplan.h"

namespace handover {

namespace {

bool unten(const platform::KeyStateBytes& state, std::uint16_t code) {
    return state[code] != 0;
}

} // namespace

std::vector<platform::KeyEvent> EinfuegePlan::strgV(const platform::KeyStateBytes& gehalten, std::uint16_t v) {
    std::vector<platform::KeyEvent> plan;
    const bool altGr = unten(gehalten, kAltGr);
    // On layouts with AltGr, Windows adds a left Ctrl of its own to AltGr and takes it away again when AltGr
    // is let go, also when we let go of it; and the left Ctrl reported beside AltGr may well be that one. Only
    // a right Ctrl, or a left Ctrl without AltGr, still holds when V goes down.
    const bool strgGehalten = unten(gehalten, kStrgRechts) || (unten(gehalten, kStrgLinks) && !altGr);
    // Our own Ctrl is the right one while AltGr is in play: pressing and releasing left Ctrl would end
    // Windows' left Ctrl of the AltGr we press again, and AltGr would then type Alt shortcuts.
    const std::uint16_t eigeneStrg = altGr ? kStrgRechts : kStrgLinks;

    // A held Alt turns the keystroke into Ctrl+Alt+V (AltGr+V on Windows), a held Shift into Ctrl+Shift+V;
    // neither is a paste everywhere. They are let go for the keystroke and pressed again afterwards.
    std::vector<std::uint16_t> geloest;
    for (const std::uint16_t code : {kAltLinks, kAltGr, kUmschaltLinks, kUmschaltRechts}) {
        if (unten(gehalten, code)) {
            plan.push_back({code, false});
            geloest.push_back(code);
        }
    }

    // Never press or release a Ctrl the operator holds: a release would end the Ctrl the operator still holds.
    if (!strgGehalten)
        plan.push_back({eigeneStrg, true});
    if (unten(gehalten, v)) {
        // V itself is held (hotkey STR - V or ALT - V): a fresh press, and it is left down as it was.
        plan.push_back({v, false});
        plan.push_back({v, true});
    } else {
        plan.push_back({v, true});
        plan.push_back({v, false});
    }
    if (!strgGehalten)
        plan.push_back({eigeneStrg, false});

    bool altWieder = false;
    for (auto it = geloest.rbegin(); it != geloest.rend(); ++it) {
        plan.push_back({*it, true});
        altWieder = altWieder || *it == kAltLinks || *it == kAltGr;
    }
    // Alt pressed again and later released with nothing in between is a lone Alt tap, which opens the
    // menu bar in many programs. A Ctrl tap while it is down makes it an ordinary chord.
    if (altWieder && !strgGehalten) {
        plan.push_back({eigeneStrg, true});
        plan.push_back({eigeneStrg, false});
    }
    return plan;
}

} // namespace handover
