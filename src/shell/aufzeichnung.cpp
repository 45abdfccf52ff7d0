#include "aufzeichnung.h"

#include "frmzusatzsalden.h"
#include "recording/speicher.h"
#include "recording/uhr.h"
#include "statusband.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace shell {

namespace {
// The failure's line in the status band, by the name it has always had.
const auto kZeile = QStringLiteral("lblaufzeichnungsfehler");
} // namespace

Aufzeichnung::Aufzeichnung(QTimer& timer2, const recording::Uhr& uhr, recording::Speicher& speicher,
                           const QLineEdit& txtgewicht, const FrmZusatzSalden& steuerung, Statusband& band,
                           QObject* parent)
    : QObject(parent), m_timer2(timer2), m_uhr(uhr), m_speicher(speicher), m_txtgewicht(txtgewicht),
      m_steuerung(steuerung), m_band(band), m_fehleranzeige(band.zeile(kZeile, Statusband::Schwere::Stoerung)) {
    // A fixed one-second period drifts against the clock and now and then skips or repeats a second;
    // each tick is therefore armed anew for just after the next boundary.
    m_timer2.setSingleShot(true);
    m_timer2.setTimerType(Qt::PreciseTimer);
    connect(&m_timer2, &QTimer::timeout, this, &Aufzeichnung::Timer2_Timer);
}

void Aufzeichnung::letzteWerteNullen() {
    m_regeln.letzteWerteNullen();
}

void Aufzeichnung::starten() {
    m_aktiv = true;
    armieren();
}

void Aufzeichnung::anhalten() {
    m_aktiv = false;
    m_timer2.stop();
}

int Aufzeichnung::verzoegerung(const QTime& jetzt) {
    return 1000 - jetzt.msec() + kNachlaufMs;
}

void Aufzeichnung::armieren() {
    if (m_aktiv)
        m_timer2.start(verzoegerung(m_uhr.jetzt().time()));
}

void Aufzeichnung::Timer2_Timer() {
    const QDateTime jetzt = m_uhr.jetzt();
    // A tick that still reads the second already examined (an early timer, a clock set back a little) only
    // arms the next one: every second is examined once.
    const qint64 sekunde = jetzt.toSecsSinceEpoch();
    if (sekunde != m_letzteSekunde) {
        m_letzteSekunde = sekunde;
        untersuchen(jetzt);
    }
    // Armed from the clock after the store, which may have taken a while.
    armieren();
}

void Aufzeichnung::untersuchen(const QDateTime& jetzt) {
    const QString gewichtText = m_txtgewicht.text();
    const QTime zeit = jetzt.time();
    const auto ergebnis = m_regeln.Timer2_Timer(zeit.second(), zeit.minute(), gewichtText, m_steuerung.eingaben(),
                                                [&] { return m_speicher.speichern(gewichtText, jetzt); });
    if (ergebnis.gespeichert && m_gestoert) {
        m_gestoert = false;
        m_band.loeschen(kZeile);
        Q_EMIT stoerungBehoben();
    } else if (ergebnis.versucht && !ergebnis.gespeichert && !m_gestoert) {
        m_gestoert = true;
        const QString text = QStringLiteral("Aufzeichnung gestört seit %1: %2")
                                 .arg(jetzt.toString(QStringLiteral("HH:mm:ss")), m_speicher.fehler());
        m_band.setzen(kZeile, Statusband::Schwere::Stoerung, text);
        Q_EMIT stoerungGemeldet(text);
    }
}

} // namespace shell
