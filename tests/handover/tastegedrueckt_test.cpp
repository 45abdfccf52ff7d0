#include "handover/syskey.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <ostream>
#include <vector>

using handover::SysKey;

namespace {

constexpr int kStrgL = 29, kStrgR = 157, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kUmschaltR = 54;
constexpr int kF5 = 63, kY = 44, kV = 47, kB = 48;

platform::KeyStateBytes gehalten(std::initializer_list<int> codes) {
    platform::KeyStateBytes state{};
    for (const int code : codes)
        state[static_cast<std::size_t>(code)] = 0x80;
    return state;
}

struct Fall {
    const char* was;
    int index;
    std::vector<int> tasten;
    bool feuert;
};

bool pruefe(int index, const std::vector<int>& tasten) {
    platform::KeyStateBytes state{};
    for (const int code : tasten)
        state[static_cast<std::size_t>(code)] = 0x80;
    SysKey taste;
    taste.festlegen(index, index);
    return SysKey::tastegedrueckt(state, index, taste.aktuellercode());
}

void PrintTo(const Fall& fall, std::ostream* os) {
    *os << fall.was << " (Index " << fall.index << (fall.feuert ? ", feuert" : ", feuert nicht") << ')';
}

class Tastegedrueckt : public ::testing::TestWithParam<Fall> {};

TEST_P(Tastegedrueckt, Gruppe) {
    EXPECT_EQ(pruefe(GetParam().index, GetParam().tasten), GetParam().feuert) << GetParam().was;
}

const Fall kFaelle[] = {
    // Function keys: the key alone, whatever modifier is held with it.
    {"F5", 4, {kF5}, true},
    {"Umschalt+F5", 4, {kUmschaltL, kF5}, true},
    {"Strg+F5", 4, {kStrgR, kF5}, true},
    {"Alt+F5", 4, {kAltL, kF5}, true},
    {"AltGr+F5", 4, {kAltGr, kF5}, true},
    {"F5 nicht gedrueckt", 4, {kUmschaltL, kStrgL, kAltL, kF5 + 1}, false},
    // Ctrl group: either Ctrl with the letter; Alt and Shift are not looked at.
    {"Strg links+Y", 36, {kStrgL, kY}, true},
    {"Strg rechts+Y", 36, {kStrgR, kY}, true},
    {"Strg+Alt+Y", 36, {kStrgL, kAltL, kY}, true},
    {"Strg+Umschalt+Y", 36, {kStrgL, kUmschaltR, kY}, true},
    {"Y allein", 36, {kY}, false},
    {"Alt+Y bei STR - Y", 36, {kAltL, kY}, false},
    {"Strg allein", 36, {kStrgL, kStrgR}, false},
    {"Strg+Z bei STR - Y", 36, {kStrgL, 21}, false},
    // Alt group: left Alt or AltGr with the letter; Ctrl is not looked at.
    {"Alt links+B", 39, {kAltL, kB}, true},
    {"AltGr+B", 39, {kAltGr, kB}, true},
    {"Strg+Alt+B", 39, {kStrgL, kAltL, kB}, true},
    {"Strg+B bei ALT - B", 39, {kStrgL, kB}, false},
    {"B allein", 39, {kB}, false},
    // The Ctrl and the Alt variant of one letter are separate hotkeys.
    {"Alt+V bei STR - V", 33, {kAltL, kV}, false},
    {"Strg+V bei STR - V", 33, {kStrgL, kV}, true},
    {"Strg+V bei ALT - V", 59, {kStrgL, kV}, false},
};

INSTANTIATE_TEST_SUITE_P(Gruppen, Tastegedrueckt, ::testing::ValuesIn(kFaelle),
                         [](const ::testing::TestParamInfo<Fall>& p) { return "Fall" + std::to_string(p.index); });

TEST(TastegedruecktKeineAuswahl, FeuertNieAuchWennAllesGedruecktIst) {
    platform::KeyStateBytes alle{};
    alle.fill(0x80);
    SysKey taste;
    taste.festlegen(-1, -1);
    ASSERT_EQ(taste.aktuellercode(), 0);
    EXPECT_FALSE(SysKey::tastegedrueckt(alle, -1, taste.aktuellercode()));
}

TEST(TastegedruecktKeineAuswahl, NichtsGedruecktFeuertKeineGruppe) {
    for (int index = 0; index < SysKey::kEintraege; ++index) {
        SysKey taste;
        taste.festlegen(index, index);
        EXPECT_FALSE(SysKey::tastegedrueckt(gehalten({}), index, taste.aktuellercode())) << index;
        // The main key with the group's modifier fires for every entry.
        const int modifier = index < 12 ? kUmschaltL : index < 38 ? kStrgR : kAltGr;
        EXPECT_TRUE(SysKey::tastegedrueckt(gehalten({modifier, taste.aktuellercode()}), index, taste.aktuellercode()))
            << index;
    }
}

} // namespace
