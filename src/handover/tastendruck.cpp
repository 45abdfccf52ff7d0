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
    m_stumm = false;
    const bool warUnten = m_tasten[event.scanCode] != 0;
    m_tasten[event.scanCode] = event.down ? 0x80 : 0;
    if (event.scanCode != taste.code || taste.code == 0)
        return;
    if (!event.down) {
        m_haelt = false;
        m_losgelassen = jetzt;
        // A release without its press: that press went by unreported, and no event will come for it now.
        m_ausstehend = -1;
        return;
    }
    // A key already down that reports down again is the keyboard repeating, not a press.
    if (warUnten)
        return;
    if (m_ausstehend >= 0) {
        // The press a tick has counted already, its event only now through the queue.
        m_ausstehend = -1;
        return;
    }
    if (SysKey::tastegedrueckt(m_tasten, taste.index, taste.code))
        druck(jetzt);
}

void Tastendruck::takt(const platform::KeyStateBytes& gelesen, const Taste& taste, bool frei, qint64 jetzt) {
    if (m_mitEreignissen && !m_stumm && ausgefallen(gelesen, taste)) {
        ++m_ausfaelle;
        m_ausstehend = -1;
        m_abweichung = 0;
        m_stumm = true;
    }
    // While nothing is reported, nothing is on its way either: the keys are as read, and the first event that
    // comes again finds them so.
    if (m_stumm)
        m_tasten = gelesen;
    if (!SysKey::tastegedrueckt(gelesen, taste.index, taste.code)) {
        m_haelt = false;
        return;
    }
    if (!m_haelt) {
        // The events let go of the key a moment ago: the reading has not caught up with them.
        if (m_mitEreignissen && !m_stumm && !unten(m_tasten, taste.code) && jetzt - m_losgelassen < kNachlaufMs)
            return;
        // Held, but no press seen: the system sends no events, the modifier came after the main key, or the
        // main key's event is still in the queue, and then it is this press.
        druck(jetzt);
        if (m_mitEreignissen && !m_stumm && !unten(m_tasten, taste.code))
            m_ausstehend = 0;
        return;
    }
    if (frei && m_offen == 0 && jetzt - m_seit >= m_verzoegerungMs)
        ++m_offen;
}

bool Tastendruck::ausgefallen(const platform::KeyStateBytes& gelesen, const Taste& taste) {
    m_abweichung = unten(gelesen, taste.code) != unten(m_tasten, taste.code) ? m_abweichung + 1 : 0;
    if (m_ausstehend >= 0)
        ++m_ausstehend;
    // Both counted from the tick that first saw the key: it and kFristTakte more.
    return m_ausstehend >= kFristTakte || m_abweichung > kFristTakte;
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
