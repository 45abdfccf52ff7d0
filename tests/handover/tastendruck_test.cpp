#include "handover/tastendruck.h"

#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

using handover::Tastendruck;

namespace {

constexpr int kStrgL = 29, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kY = 44, kV = 47, kF5 = 63;
constexpr int kStrgY = 36, kStrgV = 33, kAltY = 62, kFuenf = 4;

// One key moving at a time in ms; the ticks come every 100 ms from `erster` on.
struct Bewegung {
    int zeit;
    int code;
    bool unten;
};

struct Lauf {
    const char* was;
    int index;
    std::vector<Bewegung> bewegungen;
    bool ereignisse; // the system reports the keys (X11 raw events, the Windows hook)
    int erwartet;    // pastes
    int ersterTakt = 50;
    int dauerMs = 40; // how long each paste waits for its target
    int verzoegerungMs = 500;
    int verzugMs = 0;  // how long each event waits in the window thread's queue
    int stummAb = -1;  // from then on the system reports nothing (Windows removed the hook) ...
    int wiederAb = -1; // ... until then (the hook is in place again)
    int ausfaelle = 0; // how often the events are to be found missing
    int leseVerzugMs = 0; // how long the system's reading lags behind its events (Windows' GetAsyncKeyState)
};

void PrintTo(const Lauf& lauf, std::ostream* os) {
    *os << lauf.was << (lauf.ereignisse ? " (mit Ereignissen)" : " (abgefragt)");
}

std::vector<Bewegung> druck(std::vector<int> codes, int von, int bis) {
    std::vector<Bewegung> b;
    for (const int code : codes)
        b.push_back({von, code, true});
    std::reverse(codes.begin(), codes.end());
    for (const int code : codes)
        b.push_back({bis, code, false});
    return b;
}

std::vector<Bewegung> und(std::vector<Bewegung> a, const std::vector<Bewegung>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Plays the keys, the ticks and a paster that is busy for `dauerMs` after each paste, as the key watch
// drives the rule; returns the number of pastes.
struct Ergebnis {
    int pastes;
    int ausfaelle;
};

Ergebnis spielen(const Lauf& lauf) {
    Tastendruck regel;
    regel.setVerzoegerungMs(lauf.verzoegerungMs);
    regel.setMitEreignissen(lauf.ereignisse);
    const Tastendruck::Taste taste{lauf.index, lauf.index < 12 ? kF5 : (lauf.index == kStrgV ? kV : kY)};
    platform::KeyStateBytes tasten{};
    platform::KeyStateBytes gelesen{}; // what a reading finds, leseVerzugMs behind
    std::size_t gelesenBis = 0;
    int pastes = 0;
    int frei = 0; // the time from which the paster is free
    auto einfuegen = [&](int jetzt) {
        while (jetzt >= frei && regel.entnehmen()) {
            ++pastes;
            frei = jetzt + lauf.dauerMs;
        }
    };
    int ende = 0;
    for (const auto& b : lauf.bewegungen)
        ende = std::max(ende, b.zeit + lauf.verzugMs);
    std::size_t naechste = 0;
    // The events on their way to the window thread, each with the time it is handled there.
    std::deque<std::pair<int, platform::KeyEvent>> schlange;
    for (int jetzt = 0; jetzt <= ende + 400; ++jetzt) {
        einfuegen(jetzt); // a paste that has ended lets a waiting one go
        for (; naechste < lauf.bewegungen.size() && lauf.bewegungen[naechste].zeit == jetzt; ++naechste) {
            const auto& b = lauf.bewegungen[naechste];
            const bool warUnten = tasten[static_cast<std::size_t>(b.code)] != 0;
            tasten[static_cast<std::size_t>(b.code)] = b.unten ? 0x80 : 0;
            const bool stumm =
                lauf.stummAb >= 0 && jetzt >= lauf.stummAb && (lauf.wiederAb < 0 || jetzt < lauf.wiederAb);
            // An auto-repeat's down comes as another event with the key already down.
            if (lauf.ereignisse && !stumm && (b.unten || warUnten))
                schlange.push_back({jetzt + lauf.verzugMs, {static_cast<std::uint16_t>(b.code), b.unten}});
        }
        for (; !schlange.empty() && schlange.front().first <= jetzt; schlange.pop_front()) {
            regel.ereignis(schlange.front().second, taste, jetzt);
            einfuegen(jetzt);
        }
        for (; gelesenBis < lauf.bewegungen.size() && lauf.bewegungen[gelesenBis].zeit + lauf.leseVerzugMs <= jetzt;
             ++gelesenBis) {
            const auto& b = lauf.bewegungen[gelesenBis];
            gelesen[static_cast<std::size_t>(b.code)] = b.unten ? 0x80 : 0;
        }
        // Every tick reads the keys as they are now, whatever is still in the queue.
        if (jetzt >= lauf.ersterTakt && (jetzt - lauf.ersterTakt) % 100 == 0) {
            regel.takt(gelesen, taste, jetzt >= frei, jetzt);
            einfuegen(jetzt);
        }
    }
    return {pastes, regel.ausfaelle()};
}

class Druckregel : public ::testing::TestWithParam<Lauf> {};

TEST_P(Druckregel, EinfuegungenJeDruck) {
    const Ergebnis ergebnis = spielen(GetParam());
    EXPECT_EQ(ergebnis.pastes, GetParam().erwartet);
    EXPECT_EQ(ergebnis.ausfaelle, GetParam().ausfaelle);
}

std::vector<Bewegung> autorepeat(int code, int von, int bis) {
    std::vector<Bewegung> b;
    for (int t = von; t < bis; t += 40)
        b.push_back({t, code, true});
    return b;
}

const Lauf kLaeufe[] = {
    // A brisk tap between two ticks: only events see it.
    {"Tipp von 30 ms zwischen zwei Ticks", kStrgY, druck({kStrgL, kY}, 60, 90), true, 1},
    {"Tipp von 30 ms zwischen zwei Ticks", kStrgY, druck({kStrgL, kY}, 60, 90), false, 0},
    // A normal keystroke spans one or two ticks: one weight either way.
    {"Druck von 150 ms über zwei Ticks", kStrgY, druck({kStrgL, kY}, 40, 190), true, 1},
    {"Druck von 150 ms über zwei Ticks", kStrgY, druck({kStrgL, kY}, 40, 190), false, 1},
    {"Druck bis knapp vor die Verzögerung", kStrgY, druck({kStrgL, kY}, 40, 530), true, 1},
    {"Druck bis knapp vor die Verzögerung", kStrgY, druck({kStrgL, kY}, 40, 530), false, 1},
    // Held 1.5 s: one at once, then one per tick after 500 ms (ticks 550 ... 1450).
    {"1,5 s gehalten", kStrgY, druck({kStrgL, kY}, 0, 1500), true, 11},
    {"1,5 s gehalten", kStrgY, druck({kStrgL, kY}, 0, 1500), false, 11, 0},
    {"1,5 s gehalten, langsames Ziel", kStrgY, druck({kStrgL, kY}, 0, 1500), true, 6, 50, 150},
    {"1,5 s gehalten mit Autorepeat der Tastatur", kStrgY,
     und(und({{0, kStrgL, true}}, autorepeat(kY, 10, 1500)), {{1500, kY, false}, {1510, kStrgL, false}}), true, 11},
    // Presses in quick succession while the paste still waits: each gets its weight after it.
    {"drei Tipps in 120 ms", kStrgY,
     und(und(druck({kStrgL, kY}, 10, 30), druck({kStrgL, kY}, 60, 80)), druck({kStrgL, kY}, 110, 130)), true, 3, 50,
     80},
    {"Strg gehalten, Y zweimal getippt", kStrgY,
     und(und({{0, kStrgL, true}}, druck({kY}, 60, 90)), und(druck({kY}, 120, 150), {{200, kStrgL, false}})), true, 2},
    // The modifier rule.
    {"Alt+Y ist nicht Strg+Y", kStrgY, druck({kAltL, kY}, 60, 200), true, 0},
    {"Alt+Y ist nicht Strg+Y", kStrgY, druck({kAltL, kY}, 60, 200), false, 0},
    {"Y allein", kStrgY, druck({kY}, 60, 200), true, 0},
    {"ALT - Y mit AltGr", kAltY, druck({kAltGr, kY}, 60, 90), true, 1},
    {"ALT - Y mit Alt", kAltY, druck({kAltL, kY}, 60, 90), true, 1},
    {"F5 allein", kFuenf, druck({kF5}, 60, 90), true, 1},
    {"F5 mit Umschalt", kFuenf, druck({kUmschaltL, kF5}, 60, 90), true, 1},
    // Strg after Y: no press of the main key, but the tick finds the hotkey held.
    {"Strg nach Y gedrückt", kStrgY,
     und({{20, kY, true}, {70, kStrgL, true}}, {{300, kY, false}, {310, kStrgL, false}}), true, 1},
    {"Strg losgelassen und wieder gedrückt, Y gehalten",
     kStrgY,
     {{0, kStrgL, true},
      {10, kY, true},
      {120, kStrgL, false},
      {260, kStrgL, true},
      {400, kY, false},
      {410, kStrgL, false}},
     true,
     2},
    {"STR - V", kStrgV, druck({kStrgL, kV}, 60, 90), true, 1},
    // The window thread lags behind the keys: a tick reads what its queue has not handed on yet. A Ctrl the
    // tick finds up must not take back the Ctrl a queued press of Y was made with.
    {.was = "Strg gehalten, Y zweimal getippt, Strg los, bevor das zweite Y durch die Schlange ist",
     .index = kStrgY,
     .bewegungen = und(und({{0, kStrgL, true}}, druck({kY}, 10, 30)), und(druck({kY}, 40, 60), {{70, kStrgL, false}})),
     .ereignisse = true,
     .erwartet = 2,
     .ersterTakt = 75,
     .verzugMs = 50},
    {.was = "Strg los, bevor das Fenster Strg und Y sah",
     .index = kStrgY,
     .bewegungen = {{0, kStrgL, true}, {10, kY, true}, {20, kStrgL, false}, {60, kY, false}},
     .ereignisse = true,
     .erwartet = 1,
     .ersterTakt = 30,
     .verzugMs = 40},
    // The tick sees the press first; its events come after and are the same press.
    {.was = "der Tick sieht den Druck vor seinen Ereignissen",
     .index = kStrgY,
     .bewegungen = druck({kStrgL, kY}, 40, 70),
     .ereignisse = true,
     .erwartet = 1,
     .verzugMs = 20},
    {.was = "Ereignisse einen Tick zu spät",
     .index = kStrgY,
     .bewegungen = druck({kStrgL, kY}, 40, 70),
     .ereignisse = true,
     .erwartet = 1,
     .verzugMs = 120},
    {.was = "zwei Drücke in der Schlange, der Tick sieht den zweiten",
     .index = kStrgY,
     .bewegungen = und(druck({kStrgL, kY}, 10, 20), und(druck({kStrgL, kY}, 30, 60), druck({kStrgL, kY}, 250, 270))),
     .ereignisse = true,
     .erwartet = 3,
     .verzugMs = 30},
    // Windows hands the hook the release of Y before GetAsyncKeyState has it: a tick just after the release still
    // reads Y and Ctrl down. That is the press already pasted, not another; a real second press right after it
    // comes as an event of its own.
    {.was = "der Tick liest Y noch unten, nachdem sein Loslassen kam",
     .index = kStrgY,
     .bewegungen = druck({kStrgL, kY}, 40, 190),
     .ereignisse = true,
     .erwartet = 1,
     .ersterTakt = 92,
     .leseVerzugMs = 5},
    {.was = "Y losgelassen und gleich wieder gedrückt, der Tick liest noch den alten Stand",
     .index = kStrgY,
     .bewegungen = und(und({{40, kStrgL, true}, {60, kY, true}}, {{190, kY, false}, {194, kY, true}}),
                       {{230, kY, false}, {240, kStrgL, false}}),
     .ereignisse = true,
     .erwartet = 2,
     .ersterTakt = 92,
     .leseVerzugMs = 5},
    // Windows removed the hook: the ticks see the presses, once each, and find the events missing.
    {.was = "Hook weg, Druck von 300 ms",
     .index = kStrgY,
     .bewegungen = druck({kStrgL, kY}, 1000, 1300),
     .ereignisse = true,
     .erwartet = 1,
     .stummAb = 500,
     .ausfaelle = 1},
    {.was = "Hook weg, zwei Drücke über je einen Tick",
     .index = kStrgY,
     .bewegungen = und(druck({kStrgL, kY}, 1040, 1080), druck({kStrgL, kY}, 1640, 1680)),
     .ereignisse = true,
     .erwartet = 2,
     .stummAb = 500,
     .ausfaelle = 1},
    {.was = "Hook weg und wieder da: Tipps zwischen zwei Ticks",
     .index = kStrgY,
     .bewegungen =
         und(und(druck({kStrgL, kY}, 200, 230), druck({kStrgL, kY}, 1040, 1160)), druck({kStrgL, kY}, 1560, 1590)),
     .ereignisse = true,
     .erwartet = 3,
     .stummAb = 500,
     .wiederAb = 1400,
     .ausfaelle = 1},
    // The release of Y went by unreported; the next press, reported again, is a press.
    {.was = "Hook weg, während Y gehalten war, dann wieder da",
     .index = kStrgY,
     .bewegungen = und(druck({kStrgL, kY}, 0, 300), druck({kStrgL, kY}, 660, 690)),
     .ereignisse = true,
     .erwartet = 2,
     .stummAb = 200,
     .wiederAb = 600,
     .ausfaelle = 1},
};

INSTANTIATE_TEST_SUITE_P(Laeufe, Druckregel, ::testing::ValuesIn(kLaeufe),
                         [](const ::testing::TestParamInfo<Lauf>& p) { return "Lauf" + std::to_string(p.index); });

// The program's own Ctrl+V comes back as key events. With STR - V held, the paste lets go of V and presses
// it again; neither may end the hold or start another paste.
TEST(DruckregelEcho, EigeneTastenZaehlenNicht) {
    Tastendruck regel;
    const Tastendruck::Taste taste{kStrgV, kV};
    regel.ereignis({kStrgL, true}, taste, 0);
    regel.ereignis({kV, true}, taste, 10);
    ASSERT_TRUE(regel.entnehmen());
    regel.eigene({{kV, false}, {kV, true}}, 12);
    // The operator's Ctrl comes in between.
    regel.ereignis({kStrgL, false}, taste, 14);
    regel.ereignis({kV, false}, taste, 15);
    regel.ereignis({kStrgL, true}, taste, 16);
    regel.ereignis({kV, true}, taste, 17);
    EXPECT_EQ(regel.offen(), 0);
    EXPECT_TRUE(regel.haelt());
    // The operator's own release and press do count.
    regel.ereignis({kV, false}, taste, 200);
    EXPECT_FALSE(regel.haelt());
    regel.ereignis({kV, true}, taste, 220);
    EXPECT_EQ(regel.offen(), 1);
}

TEST(DruckregelEcho, AusgebliebeneEigeneTastenVerfallen) {
    Tastendruck regel;
    const Tastendruck::Taste taste{kStrgY, kY};
    regel.eigene({{kY, true}}, 0);
    regel.ereignis({kStrgL, true}, taste, Tastendruck::kEchoFristMs + 1);
    regel.ereignis({kY, true}, taste, Tastendruck::kEchoFristMs + 2);
    EXPECT_EQ(regel.offen(), 1);
}

TEST(DruckregelEcho, OhneGewichtVerworfenWirdNichtNachgeholt) {
    Tastendruck regel;
    const Tastendruck::Taste taste{kStrgY, kY};
    regel.ereignis({kStrgL, true}, taste, 0);
    regel.ereignis({kY, true}, taste, 10);
    regel.verwerfen();
    regel.takt({}, taste, true, 100);
    EXPECT_FALSE(regel.entnehmen());
}

} // namespace
