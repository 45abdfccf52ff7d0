#include "shell/fensterlayout.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

struct LayoutCase {
    int clientWidth, clientHeight;
    shell::FensterLayout expected;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.clientWidth << 'x' << c.clientHeight << " twips";
}

class ResizeRule : public testing::TestWithParam<LayoutCase> {};

TEST_P(ResizeRule, PlacesTabStripAndButtons) {
    const LayoutCase& c = GetParam();
    const shell::FensterLayout got = shell::fensterLayout(c.clientWidth, c.clientHeight);
    EXPECT_EQ(got.tabWidth, c.expected.tabWidth);
    EXPECT_EQ(got.tabHeight, c.expected.tabHeight);
    EXPECT_EQ(got.buttonTop, c.expected.buttonTop);
    EXPECT_EQ(got.minimierenLeft, c.expected.minimierenLeft);
    EXPECT_EQ(got.loeschenLeft, c.expected.loeschenLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResizeRule,
    testing::Values(
        // At the minimum: the operator's frame of 8715 x 5340.
        LayoutCase{8595, 4905, {8415, 4290, 4410, 7065, 5615}},
        // Larger in both directions: 60 twips below the strip, fixed distances from its right edge.
        LayoutCase{12000, 7000, {11820, 6385, 6505, 10470, 9020}},
        // Wider only: the height keeps the minimum's values.
        LayoutCase{10000, 4905, {9820, 4290, 4410, 8470, 7020}},
        // Below the minimum the minimum holds in that dimension only.
        LayoutCase{5000, 6000, {8415, 5385, 5505, 7065, 5615}}, LayoutCase{9000, 3000, {8820, 4290, 4410, 7470, 6020}}),
    [](const testing::TestParamInfo<LayoutCase>& p) {
        return "client" + std::to_string(p.param.clientWidth) + 'x' + std::to_string(p.param.clientHeight);
    });

TEST(GewichtSchrift, RuleSizeWhenTextFits) {
    // 8205 twips wide: the rule gives 109.4 points.
    const qreal size = shell::gewichtSchriftgroesse(8205, 500, [](qreal points) { return points * 3.0; });
    EXPECT_NEAR(size, 8205 / 75.0, 1e-9);
}

TEST(GewichtSchrift, ShrinksJustEnoughWhenTextWouldBeCut) {
    // A text twice as wide as the field at the rule's size.
    const auto width = [](qreal points) { return points * 10.0; };
    const qreal size = shell::gewichtSchriftgroesse(8205, 547, width);
    EXPECT_LE(width(size), 547.0);
    EXPECT_GT(width(size), 547.0 * 0.95);
    EXPECT_LT(size, 8205 / 75.0);
}

TEST(GewichtSchrift, RoundingUpWidthsStillEndUnderTheLimit) {
    // Hinting that adds whole pixels: the first estimate is too large and must be stepped down.
    const auto width = [](qreal points) { return std::ceil(points * 10.0) + 6.0; };
    const qreal size = shell::gewichtSchriftgroesse(8205, 600, width);
    EXPECT_LE(width(size), 600.0);
}

} // namespace
