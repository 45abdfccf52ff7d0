#include "handover/syskey.h"

#include <gtest/gtest.h>
#include <ostream>

using handover::SysKey;

namespace {

struct Zeile {
    int index;
    const char* eintrag; // "" for no selection
    const char* name;
    int code;
};

void PrintTo(const Zeile& z, std::ostream* os) {
    *os << "Index " << z.index << " \"" << z.eintrag << "\" -> " << z.name << ", Code " << z.code;
}

// Every list index with its entry text, internal name and scan code, written out from the key tables.
const Zeile kTabelle[] = {
    {-1, "", "F0", 0},
    {0, "F1", "F1", 59},
    {1, "F2", "F2", 60},
    {2, "F3", "F3", 61},
    {3, "F4", "F4", 62},
    {4, "F5", "F5", 63},
    {5, "F6", "F6", 64},
    {6, "F7", "F7", 65},
    {7, "F8", "F8", 66},
    {8, "F9", "F9", 67},
    {9, "F10", "F10", 68},
    {10, "F11", "F11", 87},
    {11, "F12", "F12", 88},
    {12, "STR - A", "STRG+A", 30},
    {13, "STR - B", "STRG+B", 48},
    {14, "STR - C", "STRG+C", 46},
    {15, "STR - D", "STRG+D", 32},
    {16, "STR - E", "STRG+E", 18},
    {17, "STR - F", "STRG+F", 33},
    {18, "STR - G", "STRG+G", 34},
    {19, "STR - H", "STRG+H", 35},
    {20, "STR - I", "STRG+I", 23},
    {21, "STR - J", "STRG+J", 36},
    {22, "STR - K", "STRG+K", 37},
    {23, "STR - L", "STRG+L", 38},
    {24, "STR - M", "STRG+M", 50},
    {25, "STR - N", "STRG+N", 49},
    {26, "STR - O", "STRG+O", 24},
    {27, "STR - P", "STRG+P", 25},
    {28, "STR - Q", "STRG+Q", 16},
    {29, "STR - R", "STRG+R", 19},
    {30, "STR - S", "STRG+S", 31},
    {31, "STR - T", "STRG+T", 20},
    {32, "STR - U", "STRG+U", 22},
    {33, "STR - V", "STRG+V", 47},
    {34, "STR - W", "STRG+W", 17},
    {35, "STR - X", "STRG+X", 45},
    {36, "STR - Y", "STRG+Y", 44},
    {37, "STR - Z", "STRG+Z", 21},
    {38, "ALT - A", "ALT+A", 30},
    {39, "ALT - B", "ALT+B", 48},
    {40, "ALT - C", "ALT+C", 46},
    {41, "ALT - D", "ALT+D", 32},
    {42, "ALT - E", "ALT+E", 18},
    {43, "ALT - F", "ALT+F", 33},
    {44, "ALT - G", "ALT+G", 34},
    {45, "ALT - H", "ALT+H", 35},
    {46, "ALT - I", "ALT+I", 23},
    {47, "ALT - J", "ALT+J", 36},
    {48, "ALT - K", "ALT+K", 37},
    {49, "ALT - L", "ALT+L", 38},
    {50, "ALT - M", "ALT+M", 50},
    {51, "ALT - N", "ALT+N", 49},
    {52, "ALT - O", "ALT+O", 24},
    {53, "ALT - P", "ALT+P", 25},
    {54, "ALT - Q", "ALT+Q", 16},
    {55, "ALT - R", "ALT+R", 19},
    {56, "ALT - S", "ALT+S", 31},
    {57, "ALT - T", "ALT+T", 20},
    {58, "ALT - U", "ALT+U", 22},
    {59, "ALT - V", "ALT+V", 47},
    {60, "ALT - W", "ALT+W", 17},
    {61, "ALT - X", "ALT+X", 45},
    {62, "ALT - Y", "ALT+Y", 44},
    {63, "ALT - Z", "ALT+Z", 21},
};

class SysKeyTabelle : public ::testing::TestWithParam<Zeile> {};

TEST_P(SysKeyTabelle, EintragNameUndCode) {
    const Zeile z = GetParam();
    if (z.index >= 0) {
        EXPECT_EQ(SysKey::eintrag(z.index), QString::fromLatin1(z.eintrag));
    }
    const QString name = SysKey::tastenname(z.index);
    EXPECT_EQ(name, QString::fromLatin1(z.name));
    EXPECT_EQ(SysKey::tastencode(name, z.index), z.code);

    SysKey taste;
    taste.festlegen(z.index, z.index);
    EXPECT_EQ(taste.aktuelletaste(), QString::fromLatin1(z.name));
    EXPECT_EQ(taste.aktuellercode(), z.code);
}

INSTANTIATE_TEST_SUITE_P(AlleIndizes, SysKeyTabelle, ::testing::ValuesIn(kTabelle),
                         [](const ::testing::TestParamInfo<Zeile>& p) {
                             return p.param.index < 0 ? std::string("KeineAuswahl")
                                                      : "Index" + std::to_string(p.param.index);
                         });

TEST(SysKeyListe, VierundsechzigEintraegeInDieserReihenfolge) {
    const QStringList liste = SysKey::eintraege();
    ASSERT_EQ(liste.size(), 64);
    for (const Zeile& z : kTabelle) {
        if (z.index >= 0) {
            EXPECT_EQ(liste.at(z.index), QString::fromLatin1(z.eintrag)) << z.index;
        }
    }
    // Exactly six characters before the letter: S, T, R, blank, hyphen, blank.
    EXPECT_EQ(liste.at(12).size(), 7);
    EXPECT_EQ(liste.at(38).size(), 7);
}

// tastencode works from the name and the index it is given, not from the index alone.
TEST(SysKeyCode, NachschlagenNachNamensform) {
    // Below 9 only the last character of the name counts, from 9 to 11 the last two.
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("F5"), 4), 63);
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("F10"), 5), 0);  // "F0" is no key
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("F15"), 5), 63); // "F5"
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("F10"), 9), 68);
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("F1"), 9), 0); // "FF1"
    // Letters: the last character alone; digits and Tab are catalogued though not offered.
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("STRG+5"), 20), 6);
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("ALT+0"), 40), 11);
    // Case-sensitive: a lower-case letter is not in the catalogue.
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("STRG+y"), 36), 0);
    // A letter name under a function-key index looks for "F" + letter.
    EXPECT_EQ(SysKey::tastencode(QStringLiteral("STRG+Y"), 3), 0);
    EXPECT_EQ(SysKey::tastencode(QString(), 36), 0);
}

TEST(SysKeyCode, NameAusDemSpeicherCodeAusDerAuswahl) {
    SysKey taste;
    taste.festlegen(36, 11); // name STRG+Y, list on F12: "F" + "+Y" is no key
    EXPECT_EQ(taste.aktuelletaste(), QStringLiteral("STRG+Y"));
    EXPECT_EQ(taste.aktuellercode(), 0);
    taste.festlegen(62, 37); // ALT+Y read back, list on STR - Z: the letter Y counts
    EXPECT_EQ(taste.aktuellercode(), 44);
}

} // namespace
