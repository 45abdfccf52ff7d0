#include "platform/x11/x11keymap.h"

#include <gtest/gtest.h>
#include <set>

using platform::x11::keycodeOfScanCode;
using platform::x11::scanCodeOfKeycode;

TEST(X11Keymap, BekannteTasten) {
    struct {
        int keycode;
        int scanCode;
    } const faelle[] = {
        {9, 1},     // Esc
        {37, 29},   // left Ctrl
        {105, 157}, // right Ctrl
        {64, 56},   // left Alt
        {108, 184}, // AltGr
        {50, 42},   // left Shift
        {62, 54},   // right Shift
        {52, 44},   // Y on the German layout
        {29, 21},   // Z on the German layout
        {55, 47},   // V
        {67, 59},   // F1
        {76, 68},   // F10
        {95, 87},   // F11
        {96, 88},   // F12
        {118, 210}, // Insert
        {119, 211}, // Delete
        {104, 156}, // keypad Enter
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(scanCodeOfKeycode(f.keycode), f.scanCode) << f.keycode;
        EXPECT_EQ(keycodeOfScanCode(f.scanCode), f.keycode) << f.scanCode;
    }
}

TEST(X11Keymap, UmkehrbarUndNieNull) {
    std::set<int> gesehen;
    for (int keycode = 0; keycode < 256; ++keycode) {
        const int code = scanCodeOfKeycode(keycode);
        if (code == 0)
            continue;
        EXPECT_LT(code, 256);
        EXPECT_TRUE(gesehen.insert(code).second) << "two keycodes for scan code " << code;
        EXPECT_EQ(keycodeOfScanCode(code), keycode);
    }
    EXPECT_EQ(keycodeOfScanCode(0), 0);
    EXPECT_EQ(scanCodeOfKeycode(8), 0); // Linux code 0 is no key
    EXPECT_EQ(scanCodeOfKeycode(7), 0);
}
