// Checks of the Win32 keyboard state and keystroke adapters, run under Wine or on Windows.
// Usage: win_adapters_test [mapping] [german] [state] [altgr] [events] [paste] [stale] [eigene] [erneuern]
//                          [vtaste]   (no argument: all ten)
// All but "mapping" need the German layout in force (under Wine: an X display set to "de").
#include "check.h"
#include "haken_test.h"
#include "platform/win/winkeyboardstate.h"
#include "platform/win/winkeystrokes.h"
#include "testwindow.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::KeyEvent;
using platform::KeyStateBytes;
using namespace std::chrono_literals;

// The operators' keyboards carry the German labels, so the letters are checked at the German positions.
HKL germanLayout() {
    return LoadKeyboardLayoutW(L"00000407", KLF_ACTIVATE);
}

struct MappedKey {
    std::uint16_t scanCode;
    std::uint16_t virtualKey;
    const char* name;
};

void checkMapping(wintest::Check& check, HKL layout, const std::vector<MappedKey>& keys) {
    for (const MappedKey& key : keys) {
        EXPECT_EQ(check, unsigned{platform::WinKeyboardState::virtualKeyFor(key.scanCode, layout)},
                  unsigned{key.virtualKey}, std::string("virtual key of ") + key.name);
    }
}

// Keys that every layout puts at the same place; the extended ones carry 128 on top of their code.
void testMapping() {
    wintest::Check check("mapping");
    const HKL layout = GetKeyboardLayout(0);
    checkMapping(check, layout,
                 {
                     {29, VK_LCONTROL, "left Ctrl"},
                     {157, VK_RCONTROL, "right Ctrl"},
                     {56, VK_LMENU, "left Alt"},
                     {184, VK_RMENU, "AltGr"},
                     {42, VK_LSHIFT, "left Shift"},
                     {54, VK_RSHIFT, "right Shift"},
                     {59, VK_F1, "F1"},
                     {63, VK_F5, "F5"},
                     {68, VK_F10, "F10"},
                     {87, VK_F11, "F11"},
                     {88, VK_F12, "F12"},
                     {15, VK_TAB, "Tab"},
                     {2, '1', "1"},
                     {11, '0', "0"},
                     {200, VK_UP, "cursor up"},
                     {211, VK_DELETE, "Delete"},
                     {156, VK_RETURN, "keypad Enter"},
                 });
    // The unused code 0 and anything beyond the 256 codes of the state name no key.
    checkMapping(check, layout, {{0, 0, "code 0"}, {256, 0, "code 256"}});
}

// The operators' keyboards carry the German labels: Y and Z swap places against the English layout.
void testGermanLetters() {
    wintest::Check check("german");
    const HKL layout = germanLayout();
    if (!EXPECT_TRUE(check, layout != nullptr, "German layout loads")) {
        return;
    }
    checkMapping(check, layout,
                 {
                     {44, 'Y', "Y"},
                     {21, 'Z', "Z"},
                     {16, 'Q', "Q"},
                     {30, 'A', "A"},
                     {45, 'X', "X"},
                     {47, 'V', "V"},
                     {50, 'M', "M"},
                     {38, 'L', "L"},
                     {17, 'W', "W"},
                     {25, 'P', "P"},
                 });
}

struct InjectedKey {
    std::uint16_t scanCode;
    BYTE virtualKey;
    const char* name;
};

// Right Ctrl and AltGr are the extended twins of left Ctrl and left Alt: each must show at its own code only.
const InjectedKey injectedKeys[] = {
    {157, VK_RCONTROL, "right Ctrl"}, {184, VK_RMENU, "AltGr"}, {29, VK_LCONTROL, "left Ctrl"},
    {56, VK_LMENU, "left Alt"},       {44, 'Y', "Y"},           {63, VK_F5, "F5"},
};

void inject(const InjectedKey& key, bool down) {
    DWORD flags = key.scanCode >= 128 ? KEYEVENTF_EXTENDEDKEY : 0;
    if (!down) {
        flags |= KEYEVENTF_KEYUP;
    }
    keybd_event(key.virtualKey, static_cast<BYTE>(key.scanCode & 0x7F), flags, 0);
}

// Injected keys reach the asynchronous state a moment later on Windows; give them that moment.
bool settlesTo(platform::KeyboardState& source, std::uint16_t code, bool down) {
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    for (;;) {
        if ((source.read()[code] != 0) == down) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
}

std::string downCodes(const KeyStateBytes& state) {
    std::string text;
    for (std::size_t code = 0; code < state.size(); ++code) {
        if (state[code] != 0) {
            if (!text.empty()) {
                text.push_back(',');
            }
            text.append(std::to_string(code));
        }
    }
    return text.empty() ? "none" : text;
}

void testState() {
    wintest::Check check("state");
    germanLayout();
    const std::unique_ptr<platform::KeyboardState> source = platform::createKeyboardState();
    const KeyStateBytes allUp{};

    // Not started: nothing is reported even while a key is held.
    inject(injectedKeys[0], true);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(check, source->read() == allUp, "no state before start");
    inject(injectedKeys[0], false);

    if (!EXPECT_TRUE(check, source->start(), "start succeeds without a window")) {
        return;
    }
    for (const InjectedKey& key : injectedKeys) {
        EXPECT_TRUE(check, settlesTo(*source, key.scanCode, false), std::string(key.name) + " up before the press");
        inject(key, true);
        if (EXPECT_TRUE(check, settlesTo(*source, key.scanCode, true), std::string(key.name) + " seen down")) {
            const KeyStateBytes state = source->read();
            for (const InjectedKey& other : injectedKeys) {
                if (other.scanCode != key.scanCode) {
                    EXPECT_TRUE(check, state[other.scanCode] == 0,
                                std::string(other.name) + " up while only " + key.name +
                                    " is held (down: " + downCodes(state) + ")");
                }
            }
            // The hotkey's keys alone, as each tick reads them: the held one among them, nothing else.
            const std::uint16_t gefragt[] = {key.scanCode, 29, 44};
            const KeyStateBytes teil = source->readKeys(gefragt);
            KeyStateBytes soll{};
            soll[key.scanCode] = 0x80;
            EXPECT_TRUE(check, teil == soll,
                        std::string(key.name) + " alone among the keys asked for (down: " + downCodes(teil) + ")");
        }
        inject(key, false);
        EXPECT_TRUE(check, settlesTo(*source, key.scanCode, false), std::string(key.name) + " seen up again");
    }

    // The adapter's own keystrokes land at the same codes, the extended ones included.
    const std::unique_ptr<platform::Keystrokes> keys = platform::createKeystrokes();
    for (const std::uint16_t code : {std::uint16_t{157}, std::uint16_t{184}, std::uint16_t{29}, std::uint16_t{47}}) {
        const std::string name = "code " + std::to_string(code);
        EXPECT_TRUE(check, keys->send({{code, true}}), name + " press taken");
        EXPECT_TRUE(check, settlesTo(*source, code, true), name + " pressed by the adapter seen down");
        EXPECT_TRUE(check, keys->send({{code, false}}), name + " release taken");
        EXPECT_TRUE(check, settlesTo(*source, code, false), name + " released by the adapter seen up");
    }
    EXPECT_TRUE(check, !keys->send({{29, true}, {0, true}}), "an event without a key is refused");
    EXPECT_TRUE(check, !keys->send({{256, true}}), "a code beyond the state is refused");
    EXPECT_TRUE(check, settlesTo(*source, 29, false), "a refused batch sends none of its events");

    // Stopped: nothing is reported any more.
    const std::uint16_t linkeStrg[] = {29};
    inject(injectedKeys[2], true);
    EXPECT_TRUE(check, settlesTo(*source, 29, true), "left Ctrl held before stop");
    EXPECT_TRUE(check, source->stop(), "stop succeeds");
    EXPECT_TRUE(check, source->read() == allUp, "no state after stop");
    EXPECT_TRUE(check, source->readKeys(linkeStrg) == allUp, "no keys after stop");
    inject(injectedKeys[2], false);
}

// Windows' own left Ctrl of an AltGr press, made by hand with the scan code Windows gives it, since Wine does
// not add one. Only that scan code tells it from the key on the keyboard.
void injectLeftCtrl(WORD scanCode, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_LCONTROL;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

const InjectedKey altGr{184, VK_RMENU, "AltGr"};

void testAltGr() {
    wintest::Check check("altgr");
    germanLayout();
    platform::WinKeyboardState source;
    if (!EXPECT_TRUE(check, source.start(), "start succeeds") ||
        !EXPECT_TRUE(check, source.hakenLaeuft(), "the keyboard hook runs")) {
        return;
    }
    // The operator types @ or €: AltGr with Windows' Ctrl is AltGr alone. Wine answers every layout with its
    // US tables when asked which characters lie on Ctrl+Alt, so here only the hook can get this right.
    injectLeftCtrl(platform::StrgHaken::kKunstScanCode, true);
    inject(altGr, true);
    if (EXPECT_TRUE(check, settlesTo(source, 184, true), "AltGr seen down")) {
        EXPECT_TRUE(check, source.read()[29] == 0, "Windows' Ctrl of an AltGr press is not left Ctrl");
    }
    // The operator's own left Ctrl on top counts, and stops counting with its release.
    injectLeftCtrl(0x1D, true);
    EXPECT_TRUE(check, settlesTo(source, 29, true), "left Ctrl pressed beside AltGr seen down");
    injectLeftCtrl(0x1D, false);
    EXPECT_TRUE(check, settlesTo(source, 29, false), "left Ctrl released beside AltGr seen up");
    injectLeftCtrl(platform::StrgHaken::kKunstScanCode, false);
    inject(altGr, false);
    EXPECT_TRUE(check, settlesTo(source, 184, false), "AltGr seen up");

    // Left Ctrl alone is never in doubt.
    injectLeftCtrl(0x1D, true);
    EXPECT_TRUE(check, settlesTo(source, 29, true), "left Ctrl alone seen down");
    injectLeftCtrl(0x1D, false);
    EXPECT_TRUE(check, settlesTo(source, 29, false), "left Ctrl alone seen up");

    // The hook's thread ends with stop and comes back with the next start.
    EXPECT_TRUE(check, source.stop(), "stop succeeds");
    EXPECT_TRUE(check, !source.hakenLaeuft(), "the hook is gone after stop");
    EXPECT_TRUE(check, source.start() && source.hakenLaeuft(), "the hook runs again after a new start");
    EXPECT_TRUE(check, source.stop() && !source.hakenLaeuft(), "and is gone again after the second stop");
}

// A press shorter than a tick: Ctrl+Y down and up again within microseconds, long before any read could
// see it. The hook reports every event in order, by set-1 code, so the key watch still sees the press; the
// Ctrl Windows adds to AltGr is no event of the operator's.
void testEvents() {
    wintest::Check check("events");
    germanLayout();
    std::mutex mutex;
    std::vector<platform::KeyEvent> seen;
    platform::WinKeyboardState source;
    source.setEventSink([&](const platform::KeyEvent& event) {
        const std::lock_guard<std::mutex> lock(mutex);
        seen.push_back(event);
    });
    if (!EXPECT_TRUE(check, source.start(), "start succeeds") ||
        !EXPECT_TRUE(check, source.reportsEvents(), "the hook reports events")) {
        return;
    }
    const InjectedKey& leftCtrl = injectedKeys[2];
    const InjectedKey& y = injectedKeys[4];
    const InjectedKey& rightCtrl = injectedKeys[0];
    inject(leftCtrl, true);
    inject(y, true);
    inject(y, false);
    inject(leftCtrl, false);
    EXPECT_TRUE(check, source.read()[44] == 0, "the tap is over before anything reads the keys");
    injectLeftCtrl(platform::StrgHaken::kKunstScanCode, true);
    inject(altGr, true);
    inject(altGr, false);
    injectLeftCtrl(platform::StrgHaken::kKunstScanCode, false);
    inject(rightCtrl, true);
    inject(rightCtrl, false);
    const std::vector<platform::KeyEvent> expected = {{29, true},  {44, true},   {44, false}, {29, false},
                                                      {184, true}, {184, false}, {157, true}, {157, false}};
    const auto all = [&] {
        const std::lock_guard<std::mutex> lock(mutex);
        return seen.size() >= expected.size();
    };
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!all() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(5ms);
    }
    std::string got;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        for (const auto& event : seen) {
            got += std::to_string(event.scanCode) + (event.down ? "v " : "^ ");
        }
        EXPECT_TRUE(check, seen == expected, "events in order, by set-1 code: " + got);
    }
    EXPECT_TRUE(check, source.stop(), "stop succeeds");
    const std::size_t afterStop = seen.size();
    inject(y, true);
    inject(y, false);
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(check, seen.size() == afterStop, "no events after stop");
}

void pasteOnce(wintest::Check& check, wintest::TestWindow& target, std::uint16_t ctrlCode, const std::wstring& text) {
    const std::string what = "Ctrl+V with Ctrl code " + std::to_string(ctrlCode);
    target.clear();
    if (!EXPECT_TRUE(check, wintest::putOnClipboard(text), what + ": clipboard set")) {
        return;
    }
    const std::unique_ptr<platform::Keystrokes> keys = platform::createKeystrokes();
    EXPECT_TRUE(check, keys->send({{ctrlCode, true}, {47, true}, {47, false}, {ctrlCode, false}}),
                what + ": events taken");
    const bool arrived =
        wintest::TestWindow::pumpUntil([&] { return target.text() == text; }, std::chrono::milliseconds(5000));
    EXPECT_TRUE(check, arrived, what + ": the edit control received the clipboard text");
}

void testPaste() {
    wintest::Check check("paste");
    germanLayout();
    wintest::TestWindow target;
    if (!EXPECT_TRUE(check, target.created(), "test window created") ||
        !EXPECT_TRUE(check, target.focusEdit(), "edit control has the focus")) {
        return;
    }
    pasteOnce(check, target, 29, L"12,50");
    pasteOnce(check, target, 157, L"-3.75");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> parts(argv + 1, argv + argc);
    if (parts.empty()) {
        parts = {"mapping", "german", "state", "altgr", "events", "paste", "stale", "eigene", "erneuern", "vtaste"};
    }
    for (const std::string& part : parts) {
        std::printf("-- %s\n", part.c_str());
        std::fflush(stdout);
        if (part == "mapping") {
            testMapping();
        } else if (part == "german") {
            testGermanLetters();
        } else if (part == "state") {
            testState();
        } else if (part == "altgr") {
            testAltGr();
        } else if (part == "events") {
            testEvents();
        } else if (part == "paste") {
            testPaste();
        } else if (part == "stale") {
            wintest::testStale();
        } else if (part == "eigene") {
            wintest::testEigene();
        } else if (part == "erneuern") {
            wintest::testErneuern();
        } else if (part == "vtaste") {
            wintest::testVTaste();
        } else {
            std::printf("unknown part %s\n", part.c_str());
            return 2;
        }
    }
    std::printf("%d checks, %d failed\n", wintest::Check::checks(), wintest::Check::failures());
    return wintest::Check::failures() == 0 ? 0 : 1;
}
