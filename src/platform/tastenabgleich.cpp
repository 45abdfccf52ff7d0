#include "platform/tastenabgleich.h"

#include <algorithm>

namespace platform {

void TastenAbgleich::weitergeben(const KeyEvent& event, const Systemzustand& system,
                                 const KeyboardState::EventSink& sink) {
    if (event.scanCode >= m_gemeldet.size())
        return;
    if (!event.down) {
        m_gemeldet[event.scanCode] = false;
        sink(event);
        return;
    }
    loslassenWennOben(event.scanCode, system, sink);
    if (m_gemeldet[event.scanCode]) {
        if (system(event.scanCode))
            return;
        sink(KeyEvent{event.scanCode, false});
    }
    m_gemeldet[event.scanCode] = true;
    sink(event);
}

void TastenAbgleich::abgleichen(const Systemzustand& system, const KeyboardState::EventSink& sink) {
    loslassenWennOben(0, system, sink);
}

bool TastenAbgleich::brauchtSystem(const KeyEvent& event) const {
    if (!event.down)
        return false;
    if (gemeldet(event.scanCode))
        return true;
    return std::any_of(kUmschalter.begin(), kUmschalter.end(),
                       [&](std::uint16_t code) { return code != event.scanCode && m_gemeldet[code]; });
}

bool TastenAbgleich::vorher(std::uint16_t scanCode, std::span<const KeyEvent> folgende, const KeyStateBytes& danach) {
    const auto erstes =
        std::find_if(folgende.begin(), folgende.end(), [&](const KeyEvent& e) { return e.scanCode == scanCode; });
    if (erstes != folgende.end())
        return !erstes->down;
    return scanCode < danach.size() && danach[scanCode] != 0;
}

void TastenAbgleich::loslassenWennOben(std::uint16_t ausser, const Systemzustand& system,
                                       const KeyboardState::EventSink& sink) {
    for (const std::uint16_t code : kUmschalter) {
        if (code != ausser && m_gemeldet[code] && !system(code)) {
            m_gemeldet[code] = false;
            sink(KeyEvent{code, false});
        }
    }
}

} // namespace platform
