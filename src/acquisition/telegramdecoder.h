#pragma once

#include <optional>
#include <string>

namespace acquisition {

// Turns the indicator's character stream into display texts. The indicator sends "=" followed by its
// seven display characters in reverse order, with no terminator and no checksum; this class keeps the
// receive buffer between calls and evaluates it at the moment it reaches eight characters.
class TelegramDecoder {
public:
    // The decoder's text for a buffer holding characters outside the indicator's character set.
    static constexpr const char* kFehler = "Fehler";

    // Feeds one received character. kommaIndex is the separator choice at this moment (0 shows "." as ",").
    // Returns the text to display when this character completed an evaluation.
    std::optional<std::string> feed(char c, int kommaIndex);
    // Forgets what the buffer holds. Only for a line that was interrupted: the start of a telegram cut off
    // there must not be completed by the first characters after it, so decoding waits for the next "=".
    void leeren();

    // The receive buffer as it stands (tests and diagnostics).
    const std::string& puffer() const { return m_puffer; }
    bool overlong() const { return m_overlong; }

private:
    std::string evaluate(int kommaIndex);

    std::string m_puffer;
    // Past eight characters nothing can be evaluated until the next "=", and what the buffer holds then no
    // longer matters: only the fact that it is too long. So the buffer stops growing there.
    bool m_overlong = false;
};

} // namespace acquisition
