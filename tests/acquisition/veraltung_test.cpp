#include "acquisition/veraltung.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using acquisition::Veraltung;

namespace {

struct Fall {
    int grenzeSekunden;
    std::optional<std::int64_t> telegrammMs; // none: no telegram yet
    std::int64_t jetztMs;
    bool veraltet;
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << "Grenze " << f.grenzeSekunden << " s, Telegramm "
        << (f.telegrammMs ? std::to_string(*f.telegrammMs) : std::string("keins")) << ", jetzt " << f.jetztMs;
}

class VeraltungNach : public testing::TestWithParam<Fall> {};

TEST_P(VeraltungNach, TheLimitSinceTheLastTelegram) {
    const Fall& f = GetParam();
    Veraltung regel(f.grenzeSekunden);
    if (f.telegrammMs)
        regel.telegramm(*f.telegrammMs);
    EXPECT_EQ(regel.veraltet(f.jetztMs), f.veraltet);
}

constexpr std::int64_t kT = 1'796'551'200'000; // 2026-12-06 10:00 UTC

INSTANTIATE_TEST_SUITE_P(
    Tabelle, VeraltungNach,
    testing::Values(
        // The default: two seconds, the limit itself already old.
        Fall{2, kT, kT, false}, Fall{2, kT, kT + 1999, false}, Fall{2, kT, kT + 2000, true},
        Fall{2, kT, kT + 20'000, true},
        // Other limits.
        Fall{1, kT, kT + 999, false}, Fall{1, kT, kT + 1000, true}, Fall{3600, kT, kT + 3'599'999, false},
        Fall{3600, kT, kT + 3'600'000, true},
        // 0: never, however long.
        Fall{0, kT, kT + 86'400'000, false},
        // Before any telegram there is nothing old.
        Fall{2, std::nullopt, kT, false}, Fall{2, std::nullopt, 0, false},
        // A clock set back: a small correction is none, one by the limit or more makes the age unknown.
        Fall{2, kT, kT - 500, false}, Fall{2, kT, kT - 2000, true}, Fall{2, kT, kT - 3'600'000, true},
        // Out-of-range limits fall back to two seconds.
        Fall{-1, kT, kT + 1999, false}, Fall{-1, kT, kT + 2000, true}, Fall{3601, kT, kT + 2000, true},
        Fall{2'000'000'000, kT, kT + 2000, true}));

TEST(Veraltung, TheNextTelegramMakesItFreshAgain) {
    Veraltung regel;
    regel.telegramm(kT);
    ASSERT_TRUE(regel.veraltet(kT + 5000));
    regel.telegramm(kT + 5000);
    EXPECT_FALSE(regel.veraltet(kT + 5000));
    EXPECT_EQ(regel.letztesTelegramm(), kT + 5000);
}

TEST(Veraltung, LimitAsGivenOrTheDefault) {
    EXPECT_EQ(Veraltung().grenzeSekunden(), 2);
    EXPECT_EQ(Veraltung(0).grenzeSekunden(), 0);
    EXPECT_EQ(Veraltung(3600).grenzeSekunden(), 3600);
    EXPECT_EQ(Veraltung(3601).grenzeSekunden(), 2);
    EXPECT_EQ(Veraltung(-5).grenzeSekunden(), 2);
}

} // namespace
