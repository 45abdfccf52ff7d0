#include "veraltung.h"

namespace acquisition {

Veraltung::Veraltung(int sekunden)
    : m_grenzeSekunden(sekunden < 0 || sekunden > kHoechstSekunden ? kVorgabeSekunden : sekunden) {}

bool Veraltung::veraltet(std::int64_t jetztMs) const {
    if (m_grenzeSekunden == 0 || !m_letztesMs)
        return false;
    const std::int64_t alter = jetztMs - *m_letztesMs;
    const std::int64_t grenze = std::int64_t{m_grenzeSekunden} * 1000;
    return alter >= grenze || alter <= -grenze;
}

} // namespace acquisition
