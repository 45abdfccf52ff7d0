#include "acquisition/telegramdecoder.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using acquisition::TelegramDecoder;

namespace {

// Every text the decoder produced while being fed the stream, in order.
std::vector<std::string> decodeAll(TelegramDecoder& decoder, const std::string& stream, int komma) {
    std::vector<std::string> shown;
    for (const char c : stream) {
        if (auto text = decoder.feed(c, komma))
            shown.push_back(*text);
    }
    return shown;
}

std::vector<std::string> decodeAll(const std::string& stream, int komma) {
    TelegramDecoder decoder;
    return decodeAll(decoder, stream, komma);
}

struct Example {
    const char* telegram;
    const char* buffer; // after the zero passes, before the separator
    const char* komma0;
    const char* komma1;
};

void PrintTo(const Example& e, std::ostream* os) {
    *os << '"' << e.telegram << "\" shows " << e.komma0 << " / " << e.komma1;
}

// A test name from a display text: "-1.50" becomes "minus1_50".
std::string bezeichner(const std::string& text) {
    std::string name;
    for (const char c : text) {
        if (c == '-')
            name += "minus";
        else
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

class WorkedExample : public testing::TestWithParam<Example> {};

TEST_P(WorkedExample, ShowsDisplayForBothSeparators) {
    const Example& e = GetParam();
    EXPECT_EQ(decodeAll(e.telegram, 0), std::vector<std::string>{e.komma0});
    EXPECT_EQ(decodeAll(e.telegram, 1), std::vector<std::string>{e.komma1});
    TelegramDecoder decoder;
    decodeAll(decoder, e.telegram, 1);
    EXPECT_EQ(decoder.puffer(), e.buffer);
}

INSTANTIATE_TEST_SUITE_P(
    Display, WorkedExample,
    testing::Values(Example{"=05.2100", "=05.21", "12,50", "12.50"}, Example{"=05.100-", "=05.1-", "-1,50", "-1.50"},
                    Example{"=05.000-", "=05.0-", "-0,50", "-0.50"}, Example{"=00.0000", "=00.0", "0,00", "0.00"},
                    Example{"=0.00000", "=0.0", "0,0", "0.0"}, Example{"=7654321", "=7654321", "1234567", "1234567"},
                    Example{"=5000000", "=500", "005", "005"}, Example{"=0000000", "=000", "000", "000"}),
    [](const testing::TestParamInfo<Example>& p) { return "zeigt_" + bezeichner(p.param.komma1); });

struct StreamCase {
    const char* name;
    std::string stream;
    int komma;
    std::vector<std::string> shown;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
    *os << c.name;
}

class Stream : public testing::TestWithParam<StreamCase> {};

TEST_P(Stream, ShowsExactlyTheseTexts) {
    const StreamCase& c = GetParam();
    EXPECT_EQ(decodeAll(c.stream, c.komma), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Stream,
    testing::Values(
        StreamCase{"space", "=05.2 00", 1, {"Fehler"}}, StreamCase{"plus", "=05.200+", 1, {"Fehler"}},
        StreamCase{"letter", "=05.2A00", 1, {"Fehler"}}, StreamCase{"comma", "=05,2100", 1, {"Fehler"}},
        StreamCase{"control",
                   std::string("=05.2\x01"
                               "00"),
                   1,
                   {"Fehler"}},
        StreamCase{"nul",
                   std::string("=05.2\0"
                               "00",
                               8),
                   1,
                   {"Fehler"}},
        StreamCase{"high byte",
                   "=05.2\xe4"
                   "00",
                   1,
                   {"Fehler"}},
        StreamCase{"noise before first telegram", "12=05.2100", 0, {"12,50"}},
        StreamCase{"several in one go, last stays", "=05.2100=05.3100=05.4100", 0, {"12,50", "13,50", "14,50"}},
        // Shortened by the zero passes, then brought back to eight by the line ends: the old value is
        // evaluated again with the stray characters, and those are not in the character set.
        StreamCase{"line ends after shortened telegram", "=05.2100\r\n=05.2100", 0, {"12,50", "Fehler", "12,50"}},
        // Not shortened: the line ends push the buffer past eight, so nothing more is evaluated.
        StreamCase{"line ends after full telegram", "=7654321\r\n=7654321", 0, {"1234567", "1234567"}},
        // The separator conversion stays in the buffer: a second evaluation finds the "," and fails.
        StreamCase{"second evaluation sees converted comma", "=05.210000", 0, {"12,50", "Fehler"}},
        StreamCase{"second evaluation with point kept", "=05.210000", 1, {"12.50", "12.50"}},
        // Without "=" the first character is left out of the display.
        StreamCase{"stream without equals", "12345678", 1, {"8765432"}},
        StreamCase{"without equals grows past eight", "123456789012345678", 1, {"8765432"}},
        StreamCase{"equals ends an overlong buffer", "123456789=05.2100", 1, {"8765432", "12.50"}},
        StreamCase{"separator index -1 keeps point", "=05.2100", -1, {"12.50"}},
        StreamCase{"four sign zeros of six dropped", "=000000-", 1, {"-00"}},
        StreamCase{"only four sign zeros dropped", "=5.0000-", 1, {"-0.5"}},
        StreamCase{"four leading zeros at most", "=1000000", 0, {"001"}}),
    [](const testing::TestParamInfo<StreamCase>& param) {
        std::string name;
        for (const char ch : std::string(param.param.name))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(TelegramDecoder, TelegramSplitOverTwoFeedsIsShownWhenEighthCharacterArrives) {
    TelegramDecoder decoder;
    EXPECT_TRUE(decodeAll(decoder, "=05.2", 0).empty());
    EXPECT_EQ(decodeAll(decoder, "100", 0), std::vector<std::string>{"12,50"});
}

TEST(TelegramDecoder, SeparatorIsReadAtConversionTime) {
    TelegramDecoder decoder;
    EXPECT_EQ(decodeAll(decoder, "=05.2100", 0), std::vector<std::string>{"12,50"});
    EXPECT_EQ(decodeAll(decoder, "=05.2100", 1), std::vector<std::string>{"12.50"});
}

TEST(TelegramDecoder, BufferStopsGrowingWithoutEquals) {
    TelegramDecoder decoder;
    const std::string noise(100000, '7');
    decodeAll(decoder, noise, 0);
    EXPECT_LE(decoder.puffer().size(), 8u);
    EXPECT_TRUE(decoder.overlong());
    EXPECT_EQ(decodeAll(decoder, "=05.2100", 0), std::vector<std::string>{"12,50"});
}

// With "=" at least every eight characters the bound changes nothing: compare with an unbounded model.
TEST(TelegramDecoder, BoundKeepsBehaviourWhenEqualsComesWithinEight) {
    std::string stream;
    unsigned seed = 12345;
    const std::string alphabet = "0123456789-.=\r\n ";
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        stream += (i % 8 == 0) ? '=' : alphabet[(seed >> 16) % alphabet.size()];
    }
    TelegramDecoder decoder;
    const auto shown = decodeAll(decoder, stream, 0);
    EXPECT_FALSE(shown.empty());
    for (const auto& text : shown)
        EXPECT_LE(text.size(), 7u);
}

} // namespace
