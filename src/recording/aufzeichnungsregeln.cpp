#include "aufzeichnungsregeln.h"

#include "festkomma.h"

namespace recording {

void Aufzeichnungsregeln::letzteWerteNullen() {
    m_letzterwert.fill(0);
}

qint64 Aufzeichnungsregeln::letzterwert(Intervall intervall) const {
    return m_letzterwert.at(static_cast<std::size_t>(index(intervall)));
}

void Aufzeichnungsregeln::setLetzterwert(Intervall intervall, qint64 wert) {
    m_letzterwert.at(static_cast<std::size_t>(index(intervall))) = wert;
}

bool Aufzeichnungsregeln::aenderungsregel(const IntervallWerte& werte, qint64 gewichtwert, qint64 letzterwert) {
    if (werte.kontrollwert != 1 || !werte.schwelle)
        return false;
    // All three stay within +-2^62, so neither sum nor difference can overflow.
    const qint64 schwelle = *werte.schwelle;
    return gewichtwert >= letzterwert + schwelle || gewichtwert <= letzterwert - schwelle;
}

Aufzeichnungsregeln::Ergebnis Aufzeichnungsregeln::Timer2_Timer(int sekunde, int minute, const QString& gewichtText,
                                                                const Eingaben& eingaben,
                                                                const std::function<bool()>& speichern) {
    m_sekunde = sekunde;
    m_minute = minute;
    const std::optional<qint64> gelesen = festkomma::ausText(gewichtText);
    m_gewichtwert = gelesen.value_or(0);
    m_gespeichert = false;

    Ergebnis ergebnis;
    if (!gelesen)
        return ergebnis;

    for (int i = 0; i < kIntervallAnzahl; ++i) {
        const Intervall intervall = intervallAusIndex(i);
        if (!faellig(intervall, sekunde, minute))
            continue;
        if (!aenderungsregel(eingaben.at(static_cast<std::size_t>(i)), m_gewichtwert, letzterwert(intervall)))
            continue;
        ergebnis.versucht = true;
        ergebnis.intervall = intervall;
        if (speichern()) {
            setLetzterwert(intervall, m_gewichtwert);
            m_gespeichert = true;
            ergebnis.gespeichert = true;
        }
        // One attempt per tick: after a failure the later intervals would only meet the same store.
        break;
    }
    return ergebnis;
}

} // namespace recording
