#include "aufzeichnung.h"

#include "frmzusatzsalden.h"
#include "recording/speicher.h"
#include "recording/uhr.h"
#include "twips.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace shell {

Aufzeichnung::Aufzeichnung(QTimer& timer2, const recording::Uhr& uhr, recording::Speicher& speicher,
                           const QLineEdit& txtgewicht, const FrmZusatzSalden& steuerung, QWidget* fenster)
    : QObject(fenster), m_timer2(timer2), m_uhr(uhr), m_speicher(speicher), m_txtgewicht(txtgewicht),
      m_steuerung(steuerung), m_fehleranzeige(new QLabel(fenster)) {
    // A fixed one-second period drifts against the clock and now and then skips or repeats a second;
    // each tick is therefore armed anew for just after the next boundary.
    m_timer2.setSingleShot(true);
    m_timer2.setTimerType(Qt::PreciseTimer);
    connect(&m_timer2, &QTimer::timeout, this, &Aufzeichnung::Timer2_Timer);

    m_fehleranzeige->setObjectName(QStringLiteral("lblaufzeichnungsfehler"));
    m_fehleranzeige->setStyleSheet(QStringLiteral("background:#c00000;color:#ffffff;font-weight:bold;padding:0 4px;"));
    m_fehleranzeige->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_fehleranzeige->hide();
}

Aufzeichnung::~Aufzeichnung() {
    if (m_anker)
        m_anker->removeEventFilter(this);
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
        m_fehleranzeige->hide();
        Q_EMIT stoerungBehoben();
    } else if (ergebnis.versucht && !ergebnis.gespeichert && !m_gestoert) {
        m_gestoert = true;
        const QString text = QStringLiteral("Aufzeichnung gestört seit %1: %2")
                                 .arg(jetzt.toString(QStringLiteral("HH:mm:ss")), m_speicher.fehler());
        m_fehleranzeige->setText(text);
        m_fehleranzeige->setToolTip(text);
        anzeigePlatzieren();
        m_fehleranzeige->show();
        m_fehleranzeige->raise();
        Q_EMIT stoerungGemeldet(text);
    }
}

void Aufzeichnung::anzeigeUeber(QWidget* anker) {
    if (m_anker)
        m_anker->removeEventFilter(this);
    m_anker = anker;
    if (m_anker)
        m_anker->installEventFilter(this);
    anzeigePlatzieren();
}

bool Aufzeichnung::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_anker && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        anzeigePlatzieren();
    return QObject::eventFilter(watched, event);
}

void Aufzeichnung::anzeigePlatzieren() {
    if (!m_anker)
        return;
    // Across the bottom of the pages, inside their margins: below the recording table of "Einstellungen"
    // and over the lower edge of the weight field, whose digits stand in the middle.
    const Twips t = Twips::forWidget(m_anker);
    const QRect anker = m_anker->geometry();
    const int rand = t.x(45 + 90);
    const int hoehe = t.y(270);
    m_fehleranzeige->setGeometry(anker.left() + rand, anker.bottom() + 1 - t.y(45 + 45) - hoehe,
                                 anker.width() - 2 * rand, hoehe);
}

} // namespace shell
