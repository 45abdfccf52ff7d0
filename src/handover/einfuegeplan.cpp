#include "einfuegeplan.h"

namespace handover {

namespace {

bool unten(const platform::KeyStateBytes& state, std::uint16_t code) {
    return state[code] != 0;
}

} // namespace

std::vector<platform::KeyEvent> EinfuegePlan::strgV(const platform::KeyStateBytes& gehalten) {
    std::vector<platform::KeyEvent> plan;
    const bool strgGehalten = unten(gehalten, kStrgLinks) || unten(gehalten, kStrgRechts);

    // A held Alt turns the keystroke into Ctrl+Alt+V (AltGr+V on Windows), a held Shift into Ctrl+Shift+V;
    // neither is a paste everywhere. They are let go for the keystroke and pressed again afterwards.
    std::vector<std::uint16_t> geloest;
    for (const std::uint16_t code : {kAltLinks, kAltGr, kUmschaltLinks, kUmschaltRechts}) {
        if (unten(gehalten, code)) {
            plan.push_back({code, false});
            geloest.push_back(code);
        }
    }

    // Never press or release the operator's own Ctrl: a release would end the Ctrl the operator still holds.
    if (!strgGehalten)
        plan.push_back({kStrgLinks, true});
    if (unten(gehalten, kV)) {
        // V itself is held (hotkey STR - V or ALT - V): a fresh press, and it is left down as it was.
        plan.push_back({kV, false});
        plan.push_back({kV, true});
    } else {
        plan.push_back({kV, true});
        plan.push_back({kV, false});
    }
    if (!strgGehalten)
        plan.push_back({kStrgLinks, false});

    bool altWieder = false;
    for (auto it = geloest.rbegin(); it != geloest.rend(); ++it) {
        plan.push_back({*it, true});
        altWieder = altWieder || *it == kAltLinks || *it == kAltGr;
    }
    // Alt pressed again and later released with nothing in between is a lone Alt tap, which opens the
    // menu bar in many programs. A Ctrl tap while it is down makes it an ordinary chord.
    if (altWieder && !strgGehalten) {
        plan.push_back({kStrgLinks, true});
        plan.push_back({kStrgLinks, false});
    }
    return plan;
}

} // namespace handover
