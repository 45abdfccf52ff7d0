// The rule that decides whether left Ctrl counts on Windows; plain C++, so it runs on every build.
#include "platform/win/linkestrg.h"

#include <gtest/gtest.h>

using platform::LinkeStrgLage;

namespace {

struct Fall {
    const char* was;
    LinkeStrgLage lage;
    bool unten;
};

// gemeldet, rechtsAltUnten, hakenSahAltGr, echteGesehen, kunstGesehen, altGrBelegung
const Fall faelle[] = {
    {"nothing reported is up, whatever the hook holds", {false, true, true, true, false, true}, false},
    {"left Ctrl without right Alt", {true, false, false, false, false, true}, true},
    {"a stale account of Windows' Ctrl does not count without right Alt",
     {true, false, false, false, true, true},
     true},
    {"hook: AltGr with Windows' Ctrl", {true, true, true, false, true, true}, false},
    {"hook: AltGr with Windows' Ctrl on a layout thought to have none", {true, true, true, false, true, false}, false},
    {"hook: the operator's Ctrl beside AltGr", {true, true, true, true, true, true}, true},
    {"hook: the operator's Ctrl pressed before AltGr", {true, true, true, true, false, true}, true},
    {"hook: Ctrl and right Alt on a layout without AltGr", {true, true, true, true, false, false}, true},
    {"hook saw right Alt but no Ctrl press: held since before the hook", {true, true, true, false, false, true}, true},
    {"no hook, AltGr layout: left Ctrl beside right Alt is Windows'", {true, true, false, false, false, true}, false},
    {"no hook, layout without AltGr: left Ctrl beside right Alt is real",
     {true, true, false, false, false, false},
     true},
    {"hook blind to this right Alt: its old account is not used", {true, true, false, true, false, true}, false},
};

TEST(LinkeStrg, WelcheLinkeStrgZaehlt) {
    for (const Fall& fall : faelle)
        EXPECT_EQ(platform::linkeStrgUnten(fall.lage), fall.unten) << fall.was;
}

} // namespace
