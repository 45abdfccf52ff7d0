#include "tastendruck.h"

#include "syskey.h"

#include <algorithm>

namespace handover {

namespace {

bool unten(const platform::KeyStateBytes& state, int code) {
    return code > 0 && code < static_cast<int>(state.size()) && state[static_cast<std::size_t>(code)] != 0;
}

} // namespace

void Tastendruck::ereignis(const platform::KeyEvent& event, const Taste& taste, qint64 jetzt) {
    if (event.scanCode >= m_tasten.size() || echoVerbraucht(event, jetzt))
        return;
    const bool warUnten = m_tasten[event.scanCode] != 0;
    m_tasten[event.scanCode] = event.down ? 0x80 : 0;
    if (event.scanCode != taste.code || taste.code == 0)
        return;
    if (!event.down) {
        m_haelt = false;
        return;
    }
    // A key already down that reports down again is the keyboard repeating, not a press.
    if (!warUnten && SysKey::tastegedrueckt(m_tasten, taste.index, taste.code))
        druck(jetzt);
}

void Tastendruck::takt(const platform::KeyStateBytes& gelesen, const Taste& taste, bool frei, qint64 jetzt) {
    m_tasten = gelesen;
    if (!SysKey::tastegedrueckt(gelesen, taste.index, taste.code)) {
        m_haelt = false;
        return;
    }
    if (!m_haelt) {
        // Held, but no press seen: the system sends no events, or the modifier came after the main key.
        druck(jetzt);
        return;
    }
    if (frei && m_offen == 0 && jetzt - m_seit >= m_verzoegerungMs)
        ++m_offen;
}

bool Tastendruck::leseBedarf(const Taste& taste) const {
    return m_haelt || unten(m_tasten, taste.code);
}

void Tastendruck::eigene(const std::vector<platform::KeyEvent>& events, qint64 jetzt) {
    for (const auto& event : events)
        m_echos.push_back({event, jetzt});
}

bool Tastendruck::entnehmen() {
    if (m_offen == 0)
        return false;
    --m_offen;
    return true;
}

bool Tastendruck::echoVerbraucht(const platform::KeyEvent& event, qint64 jetzt) {
    while (!m_echos.empty() && jetzt - m_echos.front().zeit > kEchoFristMs)
        m_echos.pop_front();
    // The own keys come back in their order, the operator's may come in between.
    const auto it = std::find_if(m_echos.begin(), m_echos.end(), [&](const Echo& e) { return e.event == event; });
    if (it == m_echos.end())
        return false;
    m_echos.erase(it);
    return true;
}

void Tastendruck::druck(qint64 jetzt) {
    ++m_offen;
    m_haelt = true;
    m_seit = jetzt;
}

} // namespace handover
