// The rule that keeps a source's key events in step with the system's key state, driven with a made-up state.
#include "platform/tastenabgleich.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using platform::KeyEvent;
using platform::TastenAbgleich;

namespace {

constexpr std::uint16_t kStrgL = 29, kStrgR = 157, kAltL = 56, kAltGr = 184, kUmschaltL = 42, kQ = 16, kY = 44;

// One event as the source receives it, with the keys the system has down at that moment (before the event).
// `nurPruefen`: a key going down that is not handed on itself (Windows' own Ctrl of AltGr).
struct Schritt {
    KeyEvent event;
    std::set<std::uint16_t> system;
    bool nurPruefen = false;
};

struct Fall {
    const char* was;
    std::vector<Schritt> schritte;
    std::vector<KeyEvent> erwartet;
};

void PrintTo(const Fall& fall, std::ostream* os) {
    *os << fall.was;
}

std::string text(const std::vector<KeyEvent>& events) {
    std::string t;
    for (const auto& e : events)
        t += std::to_string(e.scanCode) + (e.down ? "v " : "^ ");
    return t;
}

KeyEvent ab(std::uint16_t code) {
    return {code, true};
}
KeyEvent auf(std::uint16_t code) {
    return {code, false};
}

const Fall kFaelle[] = {
    {"Strg auf dem sicheren Desktop losgelassen, dann ein y",
     {{ab(kStrgL), {}}, {ab(kY), {}}, {auf(kY), {kY}}},
     {ab(kStrgL), auf(kStrgL), ab(kY), auf(kY)}},
    // The window thread may see Y only after Ctrl is up again; here the system still has it down at Y.
    {"Tipp von 30 ms: Strg beim Y noch unten",
     {{ab(kStrgL), {}}, {ab(kY), {kStrgL}}, {auf(kY), {kStrgL, kY}}, {auf(kStrgL), {kStrgL}}},
     {ab(kStrgL), ab(kY), auf(kY), auf(kStrgL)}},
    {"rechte Strg und AltGr hängen, Alt links bleibt",
     {{ab(kStrgR), {}}, {ab(kAltGr), {kStrgR}}, {ab(kAltL), {kStrgR, kAltGr}}, {ab(kY), {kAltL}}},
     {ab(kStrgR), ab(kAltGr), ab(kAltL), auf(kStrgR), auf(kAltGr), ab(kY)}},
    // Windows adds a left Ctrl to AltGr that the system state cannot tell from the operator's; its event
    // comes first, while the state still shows whether the operator's Ctrl is held.
    {"AltGr-Zeichen bei hängendem Strg",
     {{ab(kStrgL), {}}, {ab(kStrgL), {}, true}, {ab(kAltGr), {kStrgL}}, {ab(kQ), {kStrgL, kAltGr}}},
     {ab(kStrgL), auf(kStrgL), ab(kAltGr), ab(kQ)}},
    {"AltGr-Zeichen bei gehaltenem Strg",
     {{ab(kStrgL), {}}, {ab(kStrgL), {kStrgL}, true}, {ab(kAltGr), {kStrgL}}, {ab(kQ), {kStrgL, kAltGr}}},
     {ab(kStrgL), ab(kAltGr), ab(kQ)}},
    {"die Tastatur wiederholt Y", {{ab(kY), {}}, {ab(kY), {kY}}, {ab(kY), {kY}}, {auf(kY), {kY}}}, {ab(kY), auf(kY)}},
    {"Loslassen von Y verpasst, neuer Druck", {{ab(kY), {}}, {ab(kY), {}}}, {ab(kY), auf(kY), ab(kY)}},
    {"Loslassen von Strg verpasst, Strg wieder gedrückt",
     {{ab(kStrgL), {}}, {ab(kStrgL), {}}, {ab(kY), {kStrgL}}},
     {ab(kStrgL), auf(kStrgL), ab(kStrgL), ab(kY)}},
    // Releases go on unchecked, so every reported press finds its release, the program's own keys too.
    {"Loslassen ohne gemeldeten Druck", {{auf(kStrgL), {}}, {auf(kY), {}}}, {auf(kStrgL), auf(kY)}},
    {"Umschalt zählt für die Regel nicht", {{ab(kUmschaltL), {}}, {ab(kY), {}}}, {ab(kUmschaltL), ab(kY)}},
};

class Abgleich : public testing::TestWithParam<Fall> {};

TEST_P(Abgleich, GibtWeiterWasDasSystemHat) {
    TastenAbgleich abgleich;
    std::vector<KeyEvent> weiter;
    const auto sink = [&](const KeyEvent& e) { weiter.push_back(e); };
    for (const Schritt& s : GetParam().schritte) {
        const auto system = [&](std::uint16_t code) { return s.system.count(code) != 0; };
        if (s.nurPruefen)
            abgleich.abgleichen(system, sink);
        else
            abgleich.weitergeben(s.event, system, sink);
    }
    EXPECT_EQ(text(weiter), text(GetParam().erwartet));
}

INSTANTIATE_TEST_SUITE_P(Faelle, Abgleich, testing::ValuesIn(kFaelle),
                         [](const testing::TestParamInfo<Fall>& p) { return "Fall" + std::to_string(p.index); });

// Where the system gives only the state as it is now (X11's keymap), the events received up to it lead back
// to each event's moment, as the X11 source does it for one batch.
std::vector<KeyEvent> stapel(TastenAbgleich& abgleich, const std::vector<KeyEvent>& events,
                             const platform::KeyStateBytes& danach) {
    std::vector<KeyEvent> weiter;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::span<const KeyEvent> rest(events.begin() + static_cast<std::ptrdiff_t>(i), events.end());
        abgleich.weitergeben(
            events[i], [&](std::uint16_t code) { return TastenAbgleich::vorher(code, rest, danach); },
            [&](const KeyEvent& e) { weiter.push_back(e); });
    }
    return weiter;
}

platform::KeyStateBytes mit(std::initializer_list<std::uint16_t> codes) {
    platform::KeyStateBytes state{};
    for (const auto code : codes)
        state[code] = 0x80;
    return state;
}

TEST(AbgleichNachKeymap, SchnellerTippVerliertNichtsObwohlDieKeymapSchonAllesObenHat) {
    TastenAbgleich abgleich;
    const std::vector<KeyEvent> tipp{ab(kStrgL), ab(kY), auf(kY), auf(kStrgL)};
    EXPECT_EQ(text(stapel(abgleich, tipp, mit({}))), text(tipp));
}

TEST(AbgleichNachKeymap, StrgNurFruehererStapelUndKeymapObenIstVerpasst) {
    TastenAbgleich abgleich;
    EXPECT_EQ(text(stapel(abgleich, {ab(kStrgL)}, mit({kStrgL}))), text({ab(kStrgL)}));
    EXPECT_EQ(text(stapel(abgleich, {ab(kY), auf(kY)}, mit({}))), text({auf(kStrgL), ab(kY), auf(kY)}));
}

TEST(AbgleichNachKeymap, StrgGehaltenBleibt) {
    TastenAbgleich abgleich;
    EXPECT_EQ(text(stapel(abgleich, {ab(kStrgL)}, mit({kStrgL}))), text({ab(kStrgL)}));
    EXPECT_EQ(text(stapel(abgleich, {ab(kY), auf(kY)}, mit({kStrgL}))), text({ab(kY), auf(kY)}));
    // Let go after Y within the same batch: the keymap has it up, the events say it was down at Y.
    EXPECT_EQ(text(stapel(abgleich, {ab(kY), auf(kStrgL), auf(kY)}, mit({}))), text({ab(kY), auf(kStrgL), auf(kY)}));
}

TEST(AbgleichNachKeymap, NurMitGemeldetemUmschalterWirdGefragt) {
    TastenAbgleich abgleich;
    const auto sink = [](const KeyEvent&) {};
    const auto egal = [](std::uint16_t) { return true; };
    EXPECT_FALSE(abgleich.brauchtSystem(ab(kY)));
    abgleich.weitergeben(ab(kUmschaltL), egal, sink);
    EXPECT_FALSE(abgleich.brauchtSystem(ab(kY)));
    abgleich.weitergeben(ab(kAltGr), egal, sink);
    EXPECT_TRUE(abgleich.gemeldet(kAltGr));
    EXPECT_TRUE(abgleich.brauchtSystem(ab(kY)));
    EXPECT_FALSE(abgleich.brauchtSystem(auf(kY)));
    abgleich.weitergeben(auf(kAltGr), egal, sink);
    EXPECT_FALSE(abgleich.brauchtSystem(ab(kY)));
    abgleich.weitergeben(ab(kY), egal, sink);
    EXPECT_TRUE(abgleich.brauchtSystem(ab(kY))); // a second down: repeat or a release gone missing
}

} // namespace
