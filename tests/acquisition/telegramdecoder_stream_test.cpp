// Random streams against the decoder: whatever arrives on the line, the display only ever shows a weight-like
// text or "Fehler", the receive buffer stays small, and the bounded buffer decides exactly like an unbounded
// one that follows the reading procedure step by step.
#include "acquisition/telegramdecoder.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

using acquisition::TelegramDecoder;

namespace {

// The reading procedure as the operators' documentation tells it, with a buffer that never stops growing.
class UnboundedDecoder {
public:
    std::optional<std::string> feed(char c, int komma) {
        if (c == '=')
            m_puffer.clear();
        m_puffer.push_back(c);
        if (m_puffer.size() != 8)
            return std::nullopt;
        for (int pass = 0; pass < 4; ++pass) {
            if (!endsWith(".0-") && endsWith("0-"))
                m_puffer = m_puffer.substr(0, m_puffer.size() - 2) + "-";
        }
        for (int pass = 0; pass < 4; ++pass) {
            if (!endsWith(".0") && endsWith("0"))
                m_puffer.pop_back();
        }
        bool fehler = false;
        const std::size_t n = m_puffer.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (std::string("0123456789-.=").find(m_puffer[i]) == std::string::npos)
                fehler = true;
            if (komma == 0 && m_puffer[i] == '.')
                m_puffer[i] = ',';
        }
        if (fehler)
            return std::string("Fehler");
        std::string shown;
        for (std::size_t i = n; i-- > 1;)
            shown.push_back(m_puffer[i]);
        return shown;
    }

private:
    bool endsWith(const std::string& suffix) const {
        return m_puffer.size() >= suffix.size() &&
               m_puffer.compare(m_puffer.size() - suffix.size(), suffix.size(), suffix) == 0;
    }
    std::string m_puffer;
};

bool showable(const std::string& text) {
    if (text == TelegramDecoder::kFehler)
        return true;
    return !text.empty() && text.size() <= 7 && text.find_first_not_of("0123456789-.,") == std::string::npos;
}

struct Stream {
    const char* name;
    // Characters to draw from; the line's own alphabet makes evaluations frequent, arbitrary bytes make
    // them odd.
    std::string alphabet;
    bool anyByte;
    unsigned seed;
};

void PrintTo(const Stream& s, std::ostream* os) {
    *os << s.name << ", seed " << s.seed;
}

class RandomStream : public testing::TestWithParam<Stream> {};

TEST_P(RandomStream, DisplayStaysShowableAndBufferBounded) {
    const Stream& s = GetParam();
    for (const int komma : {-1, 0, 1}) {
        std::mt19937 random(s.seed + static_cast<unsigned>(komma + 1));
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<std::size_t> pick(0, s.alphabet.empty() ? 0 : s.alphabet.size() - 1);
        TelegramDecoder decoder;
        UnboundedDecoder reference;
        int evaluations = 0;
        for (int i = 0; i < 200000; ++i) {
            const char c = s.anyByte ? static_cast<char>(byte(random)) : s.alphabet[pick(random)];
            const auto shown = decoder.feed(c, komma);
            ASSERT_EQ(shown, reference.feed(c, komma)) << "character " << i;
            ASSERT_LE(decoder.puffer().size(), 8u);
            if (shown) {
                ++evaluations;
                ASSERT_TRUE(showable(*shown)) << *shown;
            }
        }
        EXPECT_GT(evaluations, 0) << "the stream never completed a telegram";
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomStream,
                         testing::Values(Stream{"AnyByte", "", true, 1}, Stream{"AnyByteAgain", "", true, 99},
                                         Stream{"LineAlphabet", "0123456789-.=", false, 2},
                                         Stream{"MostlyZeros", "000000000-.=", false, 3},
                                         Stream{"ZerosAndSigns", "00000-.=", false, 4},
                                         Stream{"RareEquals", "0123456789-.0000000=", false, 5},
                                         Stream{"StrayCharacters", "0123456789-.=\r\n ,+E", false, 6}),
                         [](const testing::TestParamInfo<Stream>& p) { return std::string(p.param.name); });

} // namespace
