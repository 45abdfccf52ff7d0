#pragma once

#include "recording/aufzeichnungsregeln.h"

#include <QDateTime>
#include <QObject>

class QLabel;
class QLineEdit;
class QTimer;

namespace recording {
class Speicher;
class Uhr;
} // namespace recording

namespace shell {

class FrmZusatzSalden;
class Statusband;

// The recording tick of Timer2: once in every second of the local clock it reads the weight field and
// the recording controls, lets the rules decide and stores through the weight store. A failing store is
// shown in the window's status band, not in a message box, once until a store succeeds again.
class Aufzeichnung final : public QObject {
    Q_OBJECT
public:
    // How long after a second boundary the tick runs, so the clock already reads the new second.
    static constexpr int kNachlaufMs = 5;

    Aufzeichnung(QTimer& timer2, const recording::Uhr& uhr, recording::Speicher& speicher, const QLineEdit& txtgewicht,
                 const FrmZusatzSalden& steuerung, Statusband& band, QObject* parent = nullptr);

    // Start-up: the twelve last recorded values back to 0.
    void letzteWerteNullen();
    // Arms the first tick; anhalten() stops for good.
    void starten();
    void anhalten();

    void Timer2_Timer();

    // Milliseconds from this time of day until just after the next second boundary.
    static int verzoegerung(const QTime& jetzt);

    QLabel* fehleranzeige() const { return m_fehleranzeige; }
    bool gestoert() const { return m_gestoert; }
    const recording::Aufzeichnungsregeln& regeln() const { return m_regeln; }
    recording::Aufzeichnungsregeln& regeln() { return m_regeln; }

Q_SIGNALS:
    // Once at the first failing store of a streak, and once when a store succeeds after it.
    void stoerungGemeldet(const QString& text);
    void stoerungBehoben();

private:
    void untersuchen(const QDateTime& jetzt);
    void armieren();

    QTimer& m_timer2;
    const recording::Uhr& m_uhr;
    recording::Speicher& m_speicher;
    const QLineEdit& m_txtgewicht;
    const FrmZusatzSalden& m_steuerung;
    recording::Aufzeichnungsregeln m_regeln;
    Statusband& m_band;
    QLabel* m_fehleranzeige;
    qint64 m_letzteSekunde = -1;
    bool m_aktiv = false;
    bool m_gestoert = false;
};

} // namespace shell
