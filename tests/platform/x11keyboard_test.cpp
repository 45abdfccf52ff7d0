// The X11 adapters against a real X server: what XTest presses, XQueryKeymap reports under the scan code.
#include "platform/x11/x11keyboardstate.h"
#include "platform/x11/x11keystrokes.h"

#include <gtest/gtest.h>

namespace {

std::vector<platform::KeyEvent> alle(std::initializer_list<std::uint16_t> codes, bool unten) {
    std::vector<platform::KeyEvent> events;
    for (const auto code : codes)
        events.push_back({code, unten});
    return events;
}

TEST(X11Tastatur, GedrueckteTastenNachScanCode) {
    platform::X11KeyboardState tastatur;
    platform::X11Keystrokes keystrokes;
    ASSERT_TRUE(tastatur.start());
    EXPECT_EQ(tastatur.read(), platform::KeyStateBytes{});

    ASSERT_TRUE(keystrokes.send(alle({157, 184, 44, 87}, true)));
    auto state = tastatur.read();
    for (const int code : {157, 184, 44, 87})
        EXPECT_NE(state[static_cast<std::size_t>(code)], 0) << code;
    for (const int code : {29, 56, 21, 0})
        EXPECT_EQ(state[static_cast<std::size_t>(code)], 0) << code;

    ASSERT_TRUE(keystrokes.send(alle({157, 184, 44, 87}, false)));
    EXPECT_EQ(tastatur.read(), platform::KeyStateBytes{});
    EXPECT_TRUE(tastatur.stop());
    EXPECT_EQ(tastatur.read(), platform::KeyStateBytes{});
}

TEST(X11Tastatur, UnbekannterScanCodeSendetNichts) {
    platform::X11KeyboardState tastatur;
    platform::X11Keystrokes keystrokes;
    ASSERT_TRUE(tastatur.start());
    // 29 would be fine, 255 has no key: nothing at all is sent.
    EXPECT_FALSE(keystrokes.send({{29, true}, {255, true}}));
    EXPECT_EQ(tastatur.read()[29], 0);
}

} // namespace
