#include "acquisition/telegramdecoder.h"
#include "simulator/telegram.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Encoding {
    qint64 hundredths;
    const char* display;
    const char* telegram;
};

void PrintTo(const Encoding& e, std::ostream* os) {
    *os << e.hundredths << " hundredths -> " << e.display << " -> " << e.telegram;
}

class TelegramEncoding : public testing::TestWithParam<Encoding> {};

TEST_P(TelegramEncoding, DisplayIsSentReversedBehindEquals) {
    const Encoding& e = GetParam();
    const QByteArray display = sim::formatDisplay(e.hundredths);
    EXPECT_EQ(display, e.display);
    EXPECT_EQ(sim::encodeTelegram(display), e.telegram);
}

INSTANTIATE_TEST_SUITE_P(Weights, TelegramEncoding,
                         testing::Values(Encoding{1250, "0012.50", "=05.2100"}, Encoding{-150, "-001.50", "=05.100-"},
                                         Encoding{-50, "-000.50", "=05.000-"}, Encoding{0, "0000.00", "=00.0000"},
                                         Encoding{999999, "9999.99", "=99.9999"},
                                         Encoding{-99999, "-999.99", "=99.999-"},
                                         // Beyond what seven characters hold the indicator shows its limit.
                                         Encoding{12345678, "9999.99", "=99.9999"},
                                         Encoding{-250000, "-999.99", "=99.999-"}));

TEST(TelegramEncoding, HandWrittenDisplaysArePaddedWithZeros) {
    EXPECT_EQ(sim::displayFromText(QStringLiteral("12.50")), QByteArray("0012.50"));
    EXPECT_EQ(sim::displayFromText(QStringLiteral("-1.5")), QByteArray("-0001.5"));
    EXPECT_EQ(sim::displayFromText(QStringLiteral(" OL ")), QByteArray("000 OL "));
    EXPECT_EQ(sim::displayFromText(QStringLiteral("1234567")), QByteArray("1234567"));
    EXPECT_FALSE(sim::displayFromText(QString()));
    EXPECT_FALSE(sim::displayFromText(QStringLiteral("12345678")));
}

// What the simulator sends must read back as the weight it meant, over the whole range of the display.
TEST(TelegramEncoding, DecoderReadsBackEveryWeight) {
    acquisition::TelegramDecoder decoder;
    for (qint64 v = sim::kMinHundredths; v <= sim::kMaxHundredths; v += 37) {
        std::optional<std::string> shown;
        for (const char c : sim::encodeTelegram(sim::formatDisplay(v)))
            shown = decoder.feed(c, 1);
        const QString expected = QString::number(static_cast<double>(v) / 100.0, 'f', 2);
        ASSERT_TRUE(shown) << v;
        ASSERT_EQ(QString::fromStdString(*shown), expected) << v;
    }
}

} // namespace
