// Which key Ctrl+V takes for V on Windows, from what MapVirtualKeyEx answers for the target's layout; plain
// C++, so it runs on every build.
#include "platform/win/winkeystrokes.h"

#include <gtest/gtest.h>

using platform::WinKeystrokes;

TEST(VTaste, AusDerAntwortDerBelegung) {
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0x2F), 47);    // QWERTZ, QWERTY, AZERTY
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0x34), 52);    // US Dvorak: right of M
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0x11), 17);    // Neo: on W
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0xE034), 180); // an extended key carries 128 on top
}

TEST(VTaste, OhneVDieStelleVonQwertz) {
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0), WinKeystrokes::kVQwertz);      // the layout has no V
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0xE11D), WinKeystrokes::kVQwertz); // Pause's prefix, no key of ours
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0x9D), WinKeystrokes::kVQwertz);   // beyond set 1
    EXPECT_EQ(WinKeystrokes::tasteAusScanCode(0x1002F), WinKeystrokes::kVQwertz);
}
