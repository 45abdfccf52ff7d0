#include "recording/schwellentext.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace {

using recording::SchwellenText;
using Stand = SchwellenText::Stand;

// The bounds of the fields of one second to thirty minutes.
const SchwellenText kFeld(-99999.99, 99999.9);

struct Tipp {
    const char* text;
    Stand stand;
    std::optional<double> wert;
};

void PrintTo(const Tipp& t, std::ostream* os) {
    *os << '"' << t.text << '"';
}

class Getippt : public testing::TestWithParam<Tipp> {};

TEST_P(Getippt, IsTakenRefusedOrAwaitsMoreKeys) {
    const Tipp& t = GetParam();
    const QString text = QString::fromUtf8(t.text);
    EXPECT_EQ(kFeld.pruefen(text), t.stand);
    EXPECT_EQ(kFeld.wert(text), t.wert);
}

INSTANTIATE_TEST_SUITE_P(
    Texte, Getippt,
    testing::Values(
        // Either mark is the decimal separator, whatever the language of the computer.
        Tipp{"2,5", Stand::Fertig, 2.5}, Tipp{"2.5", Stand::Fertig, 2.5}, Tipp{"-0,75", Stand::Fertig, -0.75},
        Tipp{"1234,56", Stand::Fertig, 1234.56}, Tipp{"12,", Stand::Fertig, 12.0}, Tipp{",5", Stand::Fertig, 0.5},
        Tipp{"-.5", Stand::Fertig, -0.5}, Tipp{"007", Stand::Fertig, 7.0}, Tipp{"0", Stand::Fertig, 0.0},
        // Nothing is a value of its own: no number.
        Tipp{"", Stand::Fertig, std::nullopt},
        // On the way to a number.
        Tipp{"-", Stand::Unfertig, std::nullopt}, Tipp{",", Stand::Unfertig, std::nullopt},
        Tipp{"-.", Stand::Unfertig, std::nullopt},
        // The bounds themselves, and one step beyond.
        Tipp{"99999,9", Stand::Fertig, 99999.9}, Tipp{"99999,91", Stand::Abgelehnt, std::nullopt},
        Tipp{"-99999,99", Stand::Fertig, -99999.99}, Tipp{"-100000", Stand::Abgelehnt, std::nullopt},
        Tipp{"100000", Stand::Abgelehnt, std::nullopt}, Tipp{"123456789012", Stand::Abgelehnt, std::nullopt},
        // No group marks, no third decimal, no second separator, no blanks, letters or exponents.
        Tipp{"1.234,5", Stand::Abgelehnt, std::nullopt}, Tipp{"1,234.5", Stand::Abgelehnt, std::nullopt},
        Tipp{"1,234", Stand::Abgelehnt, std::nullopt}, Tipp{"2,5,", Stand::Abgelehnt, std::nullopt},
        Tipp{" 2", Stand::Abgelehnt, std::nullopt}, Tipp{"2 ", Stand::Abgelehnt, std::nullopt},
        Tipp{"1e3", Stand::Abgelehnt, std::nullopt}, Tipp{"+2", Stand::Abgelehnt, std::nullopt},
        Tipp{"--2", Stand::Abgelehnt, std::nullopt}, Tipp{"2-", Stand::Abgelehnt, std::nullopt},
        Tipp{"abc", Stand::Abgelehnt, std::nullopt}, Tipp{"\u0663", Stand::Abgelehnt, std::nullopt}));

TEST(SchwellenTextBereich, WithoutNegativeValuesTheMinusIsRefused) {
    const SchwellenText positiv(0.0, 10.0);
    EXPECT_EQ(positiv.pruefen(u"-"), Stand::Abgelehnt);
    EXPECT_EQ(positiv.pruefen(u"-0"), Stand::Abgelehnt);
    EXPECT_EQ(positiv.pruefen(u"10"), Stand::Fertig);
    EXPECT_EQ(positiv.pruefen(u"10,01"), Stand::Abgelehnt);
}

TEST(SchwellenTextBereich, MinusZeroIsZero) {
    const std::optional<double> null = kFeld.wert(u"-0");
    ASSERT_TRUE(null);
    EXPECT_FALSE(std::signbit(*null));
    EXPECT_EQ(SchwellenText::anzeige(*null, u','), QStringLiteral("0,0"));
}

struct Form {
    double wert;
    char16_t trennzeichen;
    const char* anzeige;
    const char* gespeichert;
};

void PrintTo(const Form& f, std::ostream* os) {
    *os << f.wert << " '" << static_cast<char>(f.trennzeichen) << '\'';
}

class Ausgabe : public testing::TestWithParam<Form> {};

TEST_P(Ausgabe, UsesTheChosenSeparatorWithoutGroupMarks) {
    const Form& f = GetParam();
    EXPECT_EQ(SchwellenText::anzeige(f.wert, f.trennzeichen), QString::fromUtf8(f.anzeige));
    EXPECT_EQ(SchwellenText::speichertext(f.wert, f.trennzeichen), QString::fromUtf8(f.gespeichert));
}

INSTANTIATE_TEST_SUITE_P(Werte, Ausgabe,
                         testing::Values(Form{2.5, u',', "2,5", "2,5"}, Form{2.5, u'.', "2.5", "2.5"},
                                         Form{1234.56, u',', "1234,6", "1234,56"},
                                         Form{99999.9, u'.', "99999.9", "99999.9"},
                                         Form{-99999.99, u',', "-100000,0", "-99999,99"}, Form{0.0, u',', "0,0", "0"},
                                         Form{-3.0, u'.', "-3.0", "-3"}));

} // namespace
