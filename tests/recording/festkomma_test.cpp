#include "recording/festkomma.h"

#include <QString>
#include <gtest/gtest.h>

namespace fk = recording::festkomma;

namespace {

struct TextFall {
    const char* text;
    std::optional<qint64> erwartet;
};

void PrintTo(const TextFall& f, std::ostream* os) {
    *os << '"' << f.text << '"';
}

class FestkommaText : public testing::TestWithParam<TextFall> {};

TEST_P(FestkommaText, ReadsTheLeadingNumberInTenThousandths) {
    const TextFall& fall = GetParam();
    EXPECT_EQ(fk::ausText(QString::fromUtf8(fall.text)), fall.erwartet) << '"' << fall.text << '"';
    EXPECT_EQ(fk::ausTextOderNull(QString::fromUtf8(fall.text)), fall.erwartet.value_or(0));
}

INSTANTIATE_TEST_SUITE_P(
    Gewichtstexte, FestkommaText,
    testing::Values(
        // Separator and number form.
        TextFall{"12,5", 125000}, TextFall{"12.5", 125000}, TextFall{"-0,8", -8000}, TextFall{"1.2.3", 12000},
        TextFall{"1,2,3", 12000}, TextFall{"0012.50", 125000}, TextFall{".5", 5000}, TextFall{"5.", 50000},
        TextFall{"+2", 20000}, TextFall{"7kg", 70000}, TextFall{"12,5 -3", 125000},
        // Blanks, tabs and line feeds are ignored anywhere, also between sign and digits.
        TextFall{" 1 2 , 5 ", 125000}, TextFall{"\t-\n3", -30000}, TextFall{"- 0,8", -8000},
        // A carriage return is not among the ignored characters.
        TextFall{"\r5", std::nullopt},
        // No number at all.
        TextFall{"", std::nullopt}, TextFall{"   ", std::nullopt}, TextFall{"Fehler", std::nullopt},
        TextFall{"-", std::nullopt}, TextFall{".", std::nullopt}, TextFall{"--5", std::nullopt},
        TextFall{"abc5", std::nullopt},
        // Four decimals, ties to the even digit, decided on the decimal digits (0.00015 is no exact double).
        TextFall{"0,00005", 0}, TextFall{"0,00015", 2}, TextFall{"0,00025", 2}, TextFall{"0,00035", 4},
        TextFall{"0,000251", 3}, TextFall{"0,0002500001", 3}, TextFall{"0,00024999", 2}, TextFall{"-0,00005", 0},
        TextFall{"-0,00015", -2}, TextFall{"-0,000251", -3}, TextFall{"2,71828", 27183},
        TextFall{"9999,99995", 100000000},
        // Far beyond the range: held at the limit instead of wrapping around.
        TextFall{"999999999999999999999999", fk::kGrenze}, TextFall{"-999999999999999999999999", -fk::kGrenze}));

struct DoubleFall {
    double wert;
    qint64 erwartet;
};

void PrintTo(const DoubleFall& f, std::ostream* os) {
    *os << f.wert;
}

class FestkommaDouble : public testing::TestWithParam<DoubleFall> {};

TEST_P(FestkommaDouble, ConvertsThresholdsWithTiesToEven) {
    EXPECT_EQ(fk::ausDouble(GetParam().wert), GetParam().erwartet) << GetParam().wert;
}

INSTANTIATE_TEST_SUITE_P(Schwellen, FestkommaDouble,
                         testing::Values(DoubleFall{0.0, 0}, DoubleFall{1.0, 10000}, DoubleFall{0.5, 5000},
                                         DoubleFall{-1.0, -10000}, DoubleFall{-99999.99, -999999900},
                                         DoubleFall{99999.9, 999999000}, DoubleFall{0.00004, 0}, DoubleFall{0.00006, 1},
                                         DoubleFall{12.34, 123400}, DoubleFall{1e30, fk::kGrenze},
                                         DoubleFall{-1e30, -fk::kGrenze}));

} // namespace
