#pragma once

#include <cstdint>
#include <optional>

namespace acquisition {

// Whether the weight on display is still the indicator's word: it goes stale once no telegram has been
// decoded for the limit. Times are milliseconds of the wall clock the display names them in. A clock set
// back or forward by the limit or more also makes it stale, since the age of the weight is then unknown;
// smaller corrections do not, so that the clock's own adjustments never hold back a press.
class Veraltung {
public:
    static constexpr int kVorgabeSekunden = 2;
    static constexpr int kHoechstSekunden = 3600;

    // 0: never stale. A limit outside 0 to kHoechstSekunden is taken as the default.
    explicit Veraltung(int sekunden = kVorgabeSekunden);

    int grenzeSekunden() const { return m_grenzeSekunden; }

    void telegramm(std::int64_t jetztMs) { m_letztesMs = jetztMs; }
    // Before the first telegram there is no weight to be old.
    bool veraltet(std::int64_t jetztMs) const;
    std::optional<std::int64_t> letztesTelegramm() const { return m_letztesMs; }

private:
    int m_grenzeSekunden;
    std::optional<std::int64_t> m_letztesMs;
};

} // namespace acquisition
