#pragma once

#include "intervall.h"

#include <QString>
#include <functional>

namespace recording {

// The once-a-second decision whether the shown weight becomes a row. Values in, values out: the caller
// supplies the time of day, the weight text and the controls' values, and the store as a call that says
// whether the row was really written.
class Aufzeichnungsregeln {
public:
    struct Ergebnis {
        bool versucht = false;              // a store was attempted in this tick
        bool gespeichert = false;           // and it succeeded
        std::optional<Intervall> intervall; // the interval that attempted it
    };

    // Start-up: every interval's last recorded value back to 0.
    void letzteWerteNullen();

    // One recording tick. At most one store is attempted: the first due interval, in table order, whose
    // check box is 1 and whose change from its own last recorded value reaches its threshold. Its last
    // value moves to the weight only when speichern reports the row written, so a failed store is tried
    // again at the interval's next due tick. A weight text without a number (empty, "Fehler") stores
    // nothing: that weight was never on the scale.
    Ergebnis Timer2_Timer(int sekunde, int minute, const QString& gewichtText, const Eingaben& eingaben,
                          const std::function<bool()>& speichern);

    qint64 letzterwert(Intervall intervall) const;
    void setLetzterwert(Intervall intervall, qint64 wert);

    // The values of the latest tick.
    int sekunde() const { return m_sekunde; }
    int minute() const { return m_minute; }
    qint64 gewichtwert() const { return m_gewichtwert; }
    bool gespeichert() const { return m_gespeichert; }

    // The change rule for one interval: only the value 1 records, a threshold without a number never
    // does, and both comparisons include equality.
    static bool aenderungsregel(const IntervallWerte& werte, qint64 gewichtwert, qint64 letzterwert);

private:
    std::array<qint64, kIntervallAnzahl> m_letzterwert{};
    int m_sekunde = 0;
    int m_minute = 0;
    qint64 m_gewichtwert = 0;
    bool m_gespeichert = false;
};

} // namespace recording
