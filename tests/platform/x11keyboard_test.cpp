// The X11 adapters against a real X server: what XTest presses, XQueryKeymap reports under the scan code.
#include "platform/x11/x11keyboardstate.h"
#include "platform/x11/x11keystrokes.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
// After GoogleTest, whose names Xlib's macros would take.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

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

std::string text(const std::vector<platform::KeyEvent>& events) {
    std::string t;
    for (const auto& e : events)
        t += std::to_string(e.scanCode) + (e.down ? "v " : "^ ");
    return t;
}

// Taps over before the event thread has read the first of their keys: by the time it asks the keymap, Ctrl is
// up again. The events received up to the answer say it was down at Y, so each tap goes on as it came, with
// no release of Ctrl put before Y.
TEST(X11Tastatur, SchnelleTippsKommenWieSieKamen) {
    std::mutex mutex;
    std::vector<platform::KeyEvent> gesehen;
    platform::X11KeyboardState tastatur;
    tastatur.setEventSink([&](const platform::KeyEvent& e) {
        const std::lock_guard<std::mutex> sperre(mutex);
        gesehen.push_back(e);
    });
    ASSERT_TRUE(tastatur.start());
    ASSERT_TRUE(tastatur.reportsEvents());
    platform::X11Keystrokes keystrokes;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(keystrokes.send({{29, true}, {44, true}, {44, false}, {29, false}}));
    const std::size_t erwartet = 20 * 4;
    const auto frist = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        {
            const std::lock_guard<std::mutex> sperre(mutex);
            if (gesehen.size() >= erwartet || std::chrono::steady_clock::now() > frist)
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    tastatur.stop();
    std::string soll;
    for (int i = 0; i < 20; ++i)
        soll += "29v 44v 44^ 29^ ";
    EXPECT_EQ(text(gesehen), soll);
}

// The layout of the X server from here on, as the operator's desktop sets it.
bool belegen(const std::string& argumente) {
    return std::system(("setxkbmap " + argumente).c_str()) == 0;
}

// Ctrl+V is matched by the character the key types, so the paste needs the key that types v in the layout
// and group in force, not the one QWERTY prints V on.
TEST(X11Tastatur, VTasteFolgtBelegungUndGruppe) {
    platform::X11Keystrokes keystrokes;
    ASSERT_TRUE(belegen("-layout de"));
    EXPECT_EQ(keystrokes.vTaste(), 47);
    ASSERT_TRUE(belegen("-layout us -variant dvorak"));
    EXPECT_EQ(keystrokes.vTaste(), 52); // the key right of M on QWERTY
    ASSERT_TRUE(belegen("-layout de -variant neo"));
    EXPECT_EQ(keystrokes.vTaste(), 17); // W on QWERTZ

    // Two groups: the one in force counts.
    ASSERT_TRUE(belegen("-layout de,us -variant ,dvorak"));
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(keystrokes.vTaste(), 47);
    ASSERT_TRUE(XkbLockGroup(display, XkbUseCoreKbd, 1));
    XSync(display, False);
    EXPECT_EQ(keystrokes.vTaste(), 52);
    XkbLockGroup(display, XkbUseCoreKbd, 0);
    XSync(display, False);
    EXPECT_EQ(keystrokes.vTaste(), 47);
    XCloseDisplay(display);
    ASSERT_TRUE(belegen("-layout de"));
}

} // namespace
