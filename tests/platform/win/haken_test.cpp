// The keyboard hook's events against the system's key state, the program's own keys, the hook installed anew,
// and the key of V for Ctrl+V.
#include "haken_test.h"

#include "check.h"
#include "platform/win/strghaken.h"
#include "platform/win/winkeyboardstate.h"
#include "platform/win/winkeystrokes.h"
#include "testwindow.h"

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wintest {

namespace {

using namespace std::chrono_literals;

struct Taste {
    BYTE virtualKey;
    BYTE scanCode;
};
constexpr Taste kStrgLinks{VK_LCONTROL, 0x1D};
constexpr Taste kY{'Y', 44};

void deutsch() {
    LoadKeyboardLayoutW(L"00000407", KLF_ACTIVATE);
}

// As the keyboard sends it, without the program's mark.
void drueck(const Taste& taste, bool down) {
    keybd_event(taste.virtualKey, taste.scanCode, down ? 0 : KEYEVENTF_KEYUP, 0);
}

// What a hook's sink receives, from the hook's thread.
class Empfang {
public:
    platform::KeyboardState::EventSink sink() {
        return [this](const platform::KeyEvent& event) {
            const std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(event);
        };
    }
    // Waits until `count` events have come, or two seconds; then takes them all.
    std::vector<platform::KeyEvent> nehmen(std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        for (;;) {
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (seen_.size() >= count || std::chrono::steady_clock::now() >= deadline) {
                    // A moment more, so that an event too many shows too.
                    std::this_thread::sleep_for(50ms);
                    std::vector<platform::KeyEvent> all;
                    all.swap(seen_);
                    return all;
                }
            }
            std::this_thread::sleep_for(5ms);
        }
    }

private:
    std::mutex mutex_;
    std::vector<platform::KeyEvent> seen_;
};

std::string text(const std::vector<platform::KeyEvent>& events) {
    std::string got;
    for (const auto& event : events) {
        got += std::to_string(event.scanCode) + (event.down ? "v " : "^ ");
    }
    return got;
}

// A Ctrl let go while the hook saw nothing (the secure desktop, an elevated window) is up at the next key, and
// the check asks the system at the moment of the event, in the hook, so a quick Ctrl+Y is no plain Y.
} // namespace

void testStale() {
    wintest::Check check("stale");
    deutsch();
    Empfang empfang;
    platform::StrgHaken haken;
    if (!EXPECT_TRUE(check, haken.starten(empfang.sink()), "the hook starts")) {
        return;
    }
    // The press reached the hook; its release, on the secure desktop, did not.
    haken.taste({.virtualKey = VK_LCONTROL, .scanCode = 0x1D, .erweitert = false, .unten = true});
    EXPECT_TRUE(check, text(empfang.nehmen(1)) == "29v ", "the press is reported");
    EXPECT_TRUE(check, haken.echteStrgUnten(), "the hook counts it as held");
    drueck(kY, true);
    drueck(kY, false);
    const std::string nachY = text(empfang.nehmen(3));
    EXPECT_TRUE(check, nachY == "29^ 44v 44^ ", "Ctrl reported up before Y goes down: " + nachY);
    EXPECT_TRUE(check, !haken.echteStrgUnten(), "the hook's own account follows the system");

    // A tap over before anything else runs: at Y the system still had Ctrl down.
    drueck(kStrgLinks, true);
    drueck(kY, true);
    drueck(kStrgLinks, false);
    drueck(kY, false);
    const std::string tipp = text(empfang.nehmen(4));
    EXPECT_TRUE(check, tipp == "29v 44v 29^ 44^ ", "a quick Ctrl+Y goes on as it came: " + tipp);

    // The keyboard repeating is no new press.
    drueck(kY, true);
    drueck(kY, true);
    drueck(kY, true);
    drueck(kY, false);
    const std::string wiederholt = text(empfang.nehmen(2));
    EXPECT_TRUE(check, wiederholt == "44v 44^ ", "the keyboard's repeats are not handed on: " + wiederholt);

    // An AltGr character with Ctrl left stale: Windows' own Ctrl comes first, while the system still shows the
    // operator's Ctrl up, and that is the moment to say so.
    haken.taste({.virtualKey = VK_LCONTROL, .scanCode = 0x1D, .erweitert = false, .unten = true});
    EXPECT_TRUE(check, text(empfang.nehmen(1)) == "29v ", "the stale press is reported");
    haken.taste({.virtualKey = VK_LCONTROL,
                 .scanCode = platform::StrgHaken::kKunstScanCode,
                 .erweitert = false,
                 .unten = true});
    const std::string altGr = text(empfang.nehmen(1));
    EXPECT_TRUE(check, altGr == "29^ ", "Ctrl reported up at Windows' own Ctrl of AltGr: " + altGr);
    haken.beenden();
}

// The program's own keys carry their mark: the hook keeps count of them but hands none on, and the keys of
// anybody else still go on.
void testEigene() {
    wintest::Check check("eigene");
    deutsch();
    Empfang empfang;
    platform::StrgHaken haken;
    if (!EXPECT_TRUE(check, haken.starten(empfang.sink()), "the hook starts")) {
        return;
    }
    platform::WinKeystrokes keys;
    EXPECT_TRUE(check, keys.send({{29, true}}), "own Ctrl press taken");
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!haken.echteStrgUnten() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(check, haken.echteStrgUnten(), "the hook counts the own Ctrl as held");
    EXPECT_TRUE(check, keys.send({{47, true}, {47, false}, {29, false}}), "own V and Ctrl release taken");
    drueck(kY, true);
    drueck(kY, false);
    const std::string got = text(empfang.nehmen(2));
    EXPECT_TRUE(check, got == "44v 44^ ", "only the foreign keys are handed on: " + got);
    EXPECT_TRUE(check, !haken.echteStrgUnten(), "and the own release is counted");
    haken.beenden();
    platform::WinKeyboardState source;
    EXPECT_TRUE(check, source.erkenntEigene(), "the source says it knows its own keys");
}

// Installed anew, as the key watch asks when the events stayed away: the hook goes on, each key once.
void testErneuern() {
    wintest::Check check("erneuern");
    deutsch();
    Empfang empfang;
    platform::WinKeyboardState source;
    source.setEventSink(empfang.sink());
    if (!EXPECT_TRUE(check, source.start() && source.reportsEvents(), "the source reports events")) {
        return;
    }
    EXPECT_TRUE(check, source.hakenInstallationen() == 1, "installed once at the start");
    EXPECT_TRUE(check, source.ereignisseErneuern(), "renewal asked for");
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (source.hakenInstallationen() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(check, source.hakenInstallationen(), 2, "installed a second time");
    drueck(kStrgLinks, true);
    drueck(kY, true);
    drueck(kY, false);
    drueck(kStrgLinks, false);
    const std::string got = text(empfang.nehmen(4));
    EXPECT_TRUE(check, got == "29v 44v 44^ 29^ ", "each key once through the new hook: " + got);
    EXPECT_TRUE(check, source.stop(), "stop succeeds");
    EXPECT_TRUE(check, !source.ereignisseErneuern(), "nothing to renew once stopped");
}

// Ctrl+V goes by the key the target's layout gives VK 'V': on the German layout the QWERTZ V. (Wine cannot
// show another: it numbers the keys by the characters they type, so on an X server set to Dvorak it gives
// the key that types v the QWERTY place of V, and answers 47 all the same.)
void testVTaste() {
    wintest::Check check("vtaste");
    wintest::TestWindow target;
    if (!EXPECT_TRUE(check, target.created(), "test window created") ||
        !EXPECT_TRUE(check, target.focusEdit(), "edit control has the focus")) {
        return;
    }
    platform::WinKeystrokes keys;
    EXPECT_EQ(check, unsigned{keys.vTaste()}, 47u, "key of V on the German layout");
    target.clear();
    if (!EXPECT_TRUE(check, wintest::putOnClipboard(L"12,50"), "clipboard set")) {
        return;
    }
    const std::uint16_t v = keys.vTaste();
    EXPECT_TRUE(check, keys.send({{29, true}, {v, true}, {v, false}, {29, false}}), "events taken");
    const bool arrived =
        wintest::TestWindow::pumpUntil([&] { return target.text() == L"12,50"; }, std::chrono::milliseconds(5000));
    EXPECT_TRUE(check, arrived, "the edit control pasted");
}

} // namespace wintest
