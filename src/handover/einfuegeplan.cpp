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
    const bool links = unten(gehalten, kStrgLinks);
    const bool rechts = unten(gehalten, kStrgRechts);
    // The V always goes down under a Ctrl of our own: a short tap of the hotkey may have let go of the
    // operator's Ctrl by the time the keys arrive, and a lone V would type a "v". Our Ctrl is the other one
    // than the operator's, because releasing the operator's own would end the Ctrl the operator still holds.
    // While AltGr is in play it is the right one: on layouts with AltGr, Windows adds a left Ctrl of its own
    // to AltGr and takes it away when AltGr is let go, so pressing and releasing left Ctrl would end that Ctrl
    // of the AltGr we press again, and AltGr would then type Alt shortcuts. With both Ctrl keys held
    // there is none to take, and none is needed.
    std::uint16_t eigeneStrg = 0;
    if (!rechts)
        eigeneStrg = links || altGr ? kStrgRechts : kStrgLinks;
    else if (!links)
        eigeneStrg = kStrgLinks;

    // A held Alt turns the keystroke into Ctrl+Alt+V (AltGr+V on Windows), a held Shift into Ctrl+Shift+V;
    // neither is a paste everywhere. They are let go for the keystroke and pressed again afterwards.
    std::vector<std::uint16_t> geloest;
    for (const std::uint16_t code : {kAltLinks, kAltGr, kUmschaltLinks, kUmschaltRechts}) {
        if (unten(gehalten, code)) {
            plan.push_back({code, false});
            geloest.push_back(code);
        }
    }

    if (eigeneStrg != 0)
        plan.push_back({eigeneStrg, true});
    if (unten(gehalten, v)) {
        // V itself is held (hotkey STR - V or ALT - V): a fresh press, and it is left down as it was.
        plan.push_back({v, false});
        plan.push_back({v, true});
    } else {
        plan.push_back({v, true});
        plan.push_back({v, false});
    }
    // Alt pressed again and later released with nothing in between is a lone Alt tap, which opens the
    // menu bar in many programs; Alt pressed while a Ctrl is down is not. So our Ctrl stays down until the
    // Alt keys are back, also beside the operator's Ctrl, which may be let go before our keys arrive. Were
    // Ctrl tapped after them instead, an operator letting go of Alt between our events (wine does not keep
    // injected keys together as Windows does) would make that lone tap.
    bool altWieder = false;
    for (const std::uint16_t code : geloest)
        altWieder = altWieder || code == kAltLinks || code == kAltGr;
    // Not a left Ctrl over AltGr's return, though: its release would end Windows' left Ctrl of that AltGr.
    const bool strgBleibt = altWieder && eigeneStrg != 0 && !(altGr && eigeneStrg == kStrgLinks);
    if (eigeneStrg != 0 && !strgBleibt)
        plan.push_back({eigeneStrg, false});
    for (auto it = geloest.rbegin(); it != geloest.rend(); ++it)
        plan.push_back({*it, true});
    if (strgBleibt)
        plan.push_back({eigeneStrg, false});
    return plan;
}

} // namespace handover
