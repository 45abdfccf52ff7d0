#include "platform/null/nullkeyboardstate.h"
#include "platform/null/nullkeystrokes.h"

#include <gtest/gtest.h>

TEST(NullTastatur, StartSchlaegtFehlUndNichtsIstGedrueckt) {
    platform::NullKeyboardState tastatur;
    EXPECT_FALSE(tastatur.start());
    EXPECT_EQ(tastatur.read(), platform::KeyStateBytes{});
    EXPECT_TRUE(tastatur.stop());
    platform::NullKeystrokes keystrokes;
    EXPECT_FALSE(keystrokes.send({{47, true}, {47, false}}));
}
