#include "handover/einfuegeplan.h"

#include <gtest/gtest.h>
#include <initializer_list>

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

TEST(EinfuegePlan, GehaltenesStrgWirdWederGedruecktNochGeloest) {
    for (const auto strg : {kStrgL, kStrgR}) {
        const auto state = gehalten({strg, kY});
        const auto plan = EinfuegePlan::strgV(state);
        EXPECT_EQ(plan, (std::vector<KeyEvent>{ab(kV), auf(kV)})) << strg;
        EXPECT_EQ(nachher(state, plan), state);
    }
}

TEST(EinfuegePlan, AltWirdUmDasStrgVGeloestUndMitStrgTippWiederGedrueckt) {
    const auto state = gehalten({kAltL, 48});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), ab(kStrgL), ab(kV), auf(kV), auf(kStrgL), ab(kAltL), ab(kStrgL),
                                           auf(kStrgL)}));
    EXPECT_EQ(nachher(state, plan), state);
}

TEST(EinfuegePlan, BeideAltTastenUndAltGr) {
    const auto state = gehalten({kAltL, kAltGr, 48});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), auf(kAltGr), ab(kStrgL), ab(kV), auf(kV), auf(kStrgL),
                                           ab(kAltGr), ab(kAltL), ab(kStrgL), auf(kStrgL)}));
    EXPECT_EQ(nachher(state, plan), state);
}

TEST(EinfuegePlan, StrgUndAltGehaltenKeinStrgTipp) {
    const auto state = gehalten({kStrgR, kAltL, kY});
    const auto plan = EinfuegePlan::strgV(state);
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kAltL), ab(kV), auf(kV), ab(kAltL)}));
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
    EXPECT_EQ(plan, (std::vector<KeyEvent>{auf(kV), ab(kV)}));
    EXPECT_EQ(nachher(state, plan), state);
}

// Whatever is held, the plan contains exactly one V press while a Ctrl is down and no Alt or Shift is.
TEST(EinfuegePlan, ImmerGenauEinSauberesStrgV) {
    const std::uint16_t kandidaten[] = {kStrgL, kStrgR, kAltL, kAltGr, kUmschaltL, kUmschaltR, kV};
    for (unsigned maske = 0; maske < (1u << 7); ++maske) {
        platform::KeyStateBytes state{};
        for (unsigned b = 0; b < 7; ++b)
            if (maske & (1u << b))
                state[kandidaten[b]] = 1;
        const auto plan = EinfuegePlan::strgV(state);
        auto jetzt = state;
        int sauber = 0;
        for (const KeyEvent& e : plan) {
            if (e.scanCode == kV && e.down) {
                const bool strg = jetzt[kStrgL] || jetzt[kStrgR];
                const bool stoert = jetzt[kAltL] || jetzt[kAltGr] || jetzt[kUmschaltL] || jetzt[kUmschaltR];
                EXPECT_TRUE(strg && !stoert) << maske;
                ++sauber;
            }
            jetzt[e.scanCode] = e.down ? 1 : 0;
        }
        EXPECT_EQ(sauber, 1) << maske;
        EXPECT_EQ(jetzt, state) << maske;
        // Never a Ctrl event when the operator holds a Ctrl.
        if (state[kStrgL] || state[kStrgR]) {
            for (const KeyEvent& e : plan)
                EXPECT_TRUE(e.scanCode != kStrgL && e.scanCode != kStrgR) << maske;
        }
    }
}

} // namespace
