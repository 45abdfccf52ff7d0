#include "handover/einfuegeplan.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

using handover::EinfuegePlan;
using platform::KeyEvent;

namespace {

constexpr std::uint16_t kStrgL = 29, kStrgR = 157, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kUmschaltR = 54, kV = 47,
                        kY = 44, kF5 = 63;

KeyEvent ab(std::uint16_t code) {
    return {code, true};
}
KeyEvent auf(std::uint16_t code) {
    return {code, false};
}

platform::KeyStateBytes gehalten(std::initializer_list<std::uint16_t> codes) {
    platform::KeyStateBytes state{};
    for (const auto code : codes)
        state[code] = 1;
    return state;
}

// After the plan every key must be in the state the operator left it in.
platform::KeyStateBytes nachher(platform::KeyStateBytes state, const std::vector<KeyEvent>& plan) {
    for (const KeyEvent& e : plan)
        state[e.scanCode] = e.down ? 1 : 0;
    return state;
}

TEST(EinfuegePlan, OhneGehalteneModifikatorenEinfachesStrgV) {
    const auto plan = EinfuegePlan::strgV(gehalten({kF5}));
    EXPECT_EQ(plan, (std::vector<KeyEvent>{ab(kStrgL), ab(kV), auf(kV), auf(kStrgL)}));
}

// The operator's Ctrl is left alone (its release would end the Ctrl the operator still holds); the other Ctrl
// covers the V, in case the operator's is let go before the keys arrive.
TEST(EinfuegePlan, GehaltenesStrgBleibtUnberuehrtDasAndereDecktDasV) {
    const std::pair<std::uint16_t, std::uint16_t> faelle[] = {{kStrgL, kStrgR}, {kStrgR, kStrgL}};
    for (const auto& [strg, andere] : faelle) {
        const auto state = gehalten({strg, kY});
        const auto plan = EinfuegePlan::strgV(state);
        EXPECT_EQ(plan, (std::vector<KeyEvent>{ab(andere), ab(kV), auf(kV), auf(andere)})) << strg;
        EXPECT_EQ(nachher(state, plan), state);
    }
    const auto beide = gehalten({kStrgL, kStrgR, kY});
    EXPECT_EQ(EinfuegePlan::strgV(beide), (std::vector<KeyEvent>{ab(kV), auf(kV)}));
}

TEST(EinfuegePlan, AltWirdUmDasStrgVGeloestUndUnterStrgWiederGedrueckt) {
    const auto state = gehalten({kAltL, 48});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), ab(kStrgL), ab(kV), auf(kV), ab(kAltL), auf(kStrgL)}));
    EXPECT_EQ(nachher(state, plan), state);
}

// Our own Ctrl while AltGr is let go is the right one, also while the Alt keys come back.
TEST(EinfuegePlan, BeideAltTastenUndAltGr) {
    const auto state = gehalten({kAltL, kAltGr, 48});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), auf(kAltGr), ab(kStrgR), ab(kV), auf(kV), ab(kAltGr), ab(kAltL),
                                           auf(kStrgR)}));
    EXPECT_EQ(nachher(state, plan), state);
}

TEST(EinfuegePlan, StrgUndAltGehalten) {
    const auto state = gehalten({kStrgR, kAltL, kY});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), ab(kStrgL), ab(kV), auf(kV), ab(kAltL), auf(kStrgL)}));
    EXPECT_EQ(nachher(state, plan), state);
}

TEST(EinfuegePlan, UmschaltWirdUmDasStrgVGeloest) {
    const auto state = gehalten({kUmschaltL, kUmschaltR, kF5});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kUmschaltL), auf(kUmschaltR), ab(kStrgL), ab(kV), auf(kV), auf(kStrgL),
                                           ab(kUmschaltR), ab(kUmschaltL)}));
    EXPECT_EQ(nachher(state, plan), state);
}

TEST(EinfuegePlan, GehaltenesVBleibtGedrueckt) {
    const auto state = gehalten({kStrgL, kV});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{ab(kStrgR), auf(kV), ab(kV), auf(kStrgR)}));
    EXPECT_EQ(nachher(state, plan), state);
}

// The codes of the keys down, for readable failures.
std::vector<std::uint16_t> unten(const platform::KeyStateBytes& state) {
    std::vector<std::uint16_t> codes;
    for (std::size_t code = 0; code < state.size(); ++code)
        if (state[code])
            codes.push_back(static_cast<std::uint16_t>(code));
    return codes;
}

// How the system's key state follows the plan's events.
using Tastatur = void (*)(platform::KeyStateBytes&, const KeyEvent&);

// X11, and Windows on layouts without AltGr: every key for itself.
void einfach(platform::KeyStateBytes& state, const KeyEvent& e) {
    state[e.scanCode] = e.down ? 1 : 0;
}

// Windows on a layout with AltGr: AltGr brings a left Ctrl of its own and takes it away on release, the
// plan's own AltGr events included, and the state has only one left Ctrl for both.
void windowsMitAltGr(platform::KeyStateBytes& state, const KeyEvent& e) {
    state[e.scanCode] = e.down ? 1 : 0;
    if (e.scanCode == kAltGr)
        state[kStrgL] = e.down ? 1 : 0;
}

// Plays the plan for `gelesen` on `vorher`, the state the system really has: exactly one V press while a Ctrl
// is down and no Alt or Shift is, and afterwards every key as it was.
void pruefen(Tastatur tastatur, const platform::KeyStateBytes& vorher, const platform::KeyStateBytes& gelesen,
             const std::string& was) {
    const auto plan = EinfuegePlan::strgV(gelesen);
    auto jetzt = vorher;
    int sauber = 0;
    for (const KeyEvent& e : plan) {
        if (e.scanCode == kV && e.down) {
            const bool strg = jetzt[kStrgL] || jetzt[kStrgR];
            const bool stoert = jetzt[kAltL] || jetzt[kAltGr] || jetzt[kUmschaltL] || jetzt[kUmschaltR];
            EXPECT_TRUE(strg && !stoert) << was;
            ++sauber;
        }
        tastatur(jetzt, e);
    }
    EXPECT_EQ(sauber, 1) << was;
    EXPECT_EQ(unten(jetzt), unten(vorher)) << was;
}

constexpr std::uint16_t kQ = 16;

// Whether the target opens its menu bar: an Alt going down while no Ctrl is, then going up with no other key
// in between, is a lone Alt tap.
bool oeffnetMenue(platform::KeyStateBytes state, const std::vector<KeyEvent>& ereignisse) {
    bool allein = false;
    for (const KeyEvent& e : ereignisse) {
        const bool alt = e.scanCode == kAltL || e.scanCode == kAltGr;
        if (alt && e.down)
            allein = !state[e.scanCode] && !state[kStrgL] && !state[kStrgR];
        else if (alt && allein)
            return true;
        else
            allein = false;
        state[e.scanCode] = e.down ? 1 : 0;
    }
    return false;
}

// The operator lets go of a held Alt at any point of the plan, as wine may put it between our events, or just
// after it: never a lone Alt tap.
void keinMenue(const platform::KeyStateBytes& state, const std::string& was) {
    const auto plan = EinfuegePlan::strgV(state);
    for (const std::uint16_t alt : {kAltL, kAltGr}) {
        if (!state[alt])
            continue;
        for (std::size_t stelle = 0; stelle <= plan.size(); ++stelle) {
            auto ereignisse = plan;
            ereignisse.insert(ereignisse.begin() + static_cast<std::ptrdiff_t>(stelle), auf(alt));
            EXPECT_FALSE(oeffnetMenue(state, ereignisse)) << was << ", Alt " << alt << " let go at " << stelle;
        }
    }
}

// An Alt-group hotkey pressed with AltGr on a German Windows: the keyboard state may show Windows' left Ctrl
// beside AltGr (where the adapter cannot tell it from the operator's) or not (where it can).
TEST(EinfuegePlan, AltGrAufWindowsMitUndOhneDessenStrg) {
    struct Fall {
        const char* was;
        std::initializer_list<std::uint16_t> wirklich;
        std::initializer_list<std::uint16_t> gelesen;
    };
    const Fall faelle[] = {
        {"ALT - Q with AltGr, Windows' Ctrl recognised", {kAltGr, kStrgL, kQ}, {kAltGr, kQ}},
        {"ALT - Q with AltGr, Windows' Ctrl read as held", {kAltGr, kStrgL, kQ}, {kAltGr, kStrgL, kQ}},
        {"ALT - V with AltGr", {kAltGr, kStrgL, kV}, {kAltGr, kV}},
        {"ALT - V with AltGr, Windows' Ctrl read as held", {kAltGr, kStrgL, kV}, {kAltGr, kStrgL, kV}},
        {"both Alt keys", {kAltL, kAltGr, kStrgL, kQ}, {kAltL, kAltGr, kQ}},
        {"AltGr and Shift", {kAltGr, kStrgL, kUmschaltL, kQ}, {kAltGr, kStrgL, kUmschaltL, kQ}},
        {"AltGr and right Ctrl", {kAltGr, kStrgL, kStrgR, kQ}, {kAltGr, kStrgR, kQ}},
    };
    for (const Fall& fall : faelle)
        pruefen(windowsMitAltGr, gehalten(fall.wirklich), gehalten(fall.gelesen), fall.was);
}

// Whatever is held, on either kind of system, and whether or not Windows' Ctrl beside AltGr was recognised.
TEST(EinfuegePlan, ImmerGenauEinSauberesStrgV) {
    const std::uint16_t kandidaten[] = {kStrgL, kStrgR, kAltL, kAltGr, kUmschaltL, kUmschaltR, kV};
    for (unsigned maske = 0; maske < (1u << 7); ++maske) {
        platform::KeyStateBytes state{};
        for (unsigned b = 0; b < 7; ++b)
            if (maske & (1u << b))
                state[kandidaten[b]] = 1;
        const std::string was = "keys " + std::to_string(maske);
        pruefen(einfach, state, state, was + " on X11");
        keinMenue(state, was);
        auto windows = state;
        windows[kStrgL] = state[kStrgL] || state[kAltGr];
        pruefen(windowsMitAltGr, windows, windows, was + " on Windows, read as the system has them");
        pruefen(windowsMitAltGr, windows, state, was + " on Windows, AltGr's Ctrl recognised");

        // A short tap: the operator lets go of Ctrl after the keys were read and before ours arrive. Only where
        // both Ctrl keys are read as held is there no other one to cover the V.
        auto losgelassen = state;
        losgelassen[kStrgL] = losgelassen[kStrgR] = 0;
        auto windowsLos = losgelassen;
        windowsLos[kStrgL] = state[kAltGr];
        if (!(state[kStrgL] && state[kStrgR])) {
            pruefen(einfach, losgelassen, state, was + " on X11, Ctrl let go before the keys arrive");
            pruefen(windowsMitAltGr, windowsLos, state, was + " on Windows, AltGr's Ctrl recognised, Ctrl let go");
        }
        if (!(windows[kStrgL] && windows[kStrgR]))
            pruefen(windowsMitAltGr, windowsLos, windows, was + " on Windows, Ctrl let go before the keys arrive");

        // Never an event on a Ctrl the operator holds.
        for (const KeyEvent& e : EinfuegePlan::strgV(state))
            EXPECT_TRUE((e.scanCode != kStrgL && e.scanCode != kStrgR) || !state[e.scanCode]) << maske;
    }
}

} // namespace
