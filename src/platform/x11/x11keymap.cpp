#include "x11keymap.h"

#include <array>

namespace platform::x11 {

namespace {

constexpr int kKeycodeOffset = 8;
// The main block (Esc up to F12) carries the same numbers in both schemes.
constexpr int kLetzterGleicher = 88;

struct Paar {
    int linux;
    int scanCode;
};

// Keys that a set-1 keyboard sends with the 0xE0 prefix.
constexpr std::array<Paar, 19> kErweitert{{
    {96, 156},  // keypad Enter
    {97, 157},  // right Ctrl
    {98, 181},  // keypad /
    {99, 183},  // Print
    {100, 184}, // right Alt, AltGr
    {102, 199}, // Home
    {103, 200}, // Up
    {104, 201}, // Page Up
    {105, 203}, // Left
    {106, 205}, // Right
    {107, 207}, // End
    {108, 208}, // Down
    {109, 209}, // Page Down
    {110, 210}, // Insert
    {111, 211}, // Delete
    {119, 197}, // Pause
    {125, 219}, // left Windows key
    {126, 220}, // right Windows key
    {127, 221}, // menu key
}};

} // namespace

int scanCodeOfKeycode(int keycode) {
    const int linux = keycode - kKeycodeOffset;
    if (linux >= 1 && linux <= kLetzterGleicher)
        return linux;
    for (const auto& paar : kErweitert) {
        if (paar.linux == linux)
            return paar.scanCode;
    }
    return 0;
}

int keycodeOfScanCode(int scanCode) {
    if (scanCode >= 1 && scanCode <= kLetzterGleicher)
        return scanCode + kKeycodeOffset;
    for (const auto& paar : kErweitert) {
        if (paar.scanCode == scanCode)
            return paar.linux + kKeycodeOffset;
    }
    return 0;
}

KeyStateBytes stateOfKeymap(const char (&keys)[32]) {
    KeyStateBytes state{};
    for (int keycode = kKeycodeOffset; keycode < 256; ++keycode) {
        if ((static_cast<unsigned char>(keys[keycode / 8]) >> (keycode % 8)) & 1) {
            if (const int code = scanCodeOfKeycode(keycode))
                state[static_cast<std::size_t>(code)] = 0x80;
        }
    }
    return state;
}

} // namespace platform::x11
