#include "telegramdecoder.h"

#include <algorithm>
#include <string_view>

namespace acquisition {

namespace {

constexpr std::size_t kTelegramLength = 8;
constexpr std::string_view kValid = "0123456789-.=";

bool endsWith(const std::string& s, std::string_view suffix) {
    return s.size() >= suffix.size() && std::string_view(s).substr(s.size() - suffix.size()) == suffix;
}

} // namespace

std::optional<std::string> TelegramDecoder::feed(char c, int kommaIndex) {
    if (c == '=') {
        m_puffer.clear();
        m_overlong = false;
    }
    if (m_overlong)
        return std::nullopt;
    if (m_puffer.size() == kTelegramLength) {
        m_overlong = true;
        return std::nullopt;
    }
    m_puffer.push_back(c);
    if (m_puffer.size() != kTelegramLength)
        return std::nullopt;
    return evaluate(kommaIndex);
}

void TelegramDecoder::leeren() {
    m_puffer.clear();
    m_overlong = false;
}

std::string TelegramDecoder::evaluate(int kommaIndex) {
    // Sign zeros: "-0012.5" arrives as "=5.2100-"; drop zeros after the minus unless the point follows.
    for (int pass = 0; pass < 4; ++pass) {
        if (!endsWith(m_puffer, ".0-") && endsWith(m_puffer, "0-"))
            m_puffer.replace(m_puffer.size() - 2, 2, "-");
    }
    // Leading zeros, with the same exception for the zero in front of the point.
    for (int pass = 0; pass < 4; ++pass) {
        if (!endsWith(m_puffer, ".0") && endsWith(m_puffer, "0"))
            m_puffer.pop_back();
    }
    // The separator replacement stays in the buffer: should stray characters bring it back to eight, the
    // second evaluation sees the "," and reports "Fehler", as the operators know it.
    bool fehler = false;
    for (char& ch : m_puffer) {
        if (kValid.find(ch) == std::string_view::npos)
            fehler = true;
        if (kommaIndex == 0 && ch == '.')
            ch = ',';
    }
    if (fehler)
        return kFehler;
    std::string shown(m_puffer.rbegin(), m_puffer.rend() - 1);
    return shown;
}

} // namespace acquisition
