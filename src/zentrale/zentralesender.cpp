#include "zentralesender.h"

#include "recording/datenquelle.h"
#include "zentraleserver.h"

#include <QMutexLocker>

namespace zentrale {

ZentraleSender::ZentraleSender(ZentraleAdresse adresse, QString station, QString datenbankPfad, ZentraleTakt takt,
                               QObject* parent)
    : QThread(parent), m_adresse(std::move(adresse)), m_station(std::move(station)), m_pfad(std::move(datenbankPfad)),
      m_takt(takt) {
    qRegisterMetaType<zentrale::ZentraleZustand>();
}

ZentraleSender::~ZentraleSender() {
    beenden(-1);
}

bool ZentraleSender::beenden(int ms) {
    {
        const QMutexLocker lock(&m_weckSperre);
        m_ende = true;
        m_wecker.wakeAll();
    }
    return ms < 0 ? wait() : wait(QDeadlineTimer(ms));
}

void ZentraleSender::anstossen() {
    const QMutexLocker lock(&m_weckSperre);
    m_geweckt = true;
    m_wecker.wakeAll();
}

void ZentraleSender::sperren() {
    m_dateiSperre.lock();
}

void ZentraleSender::freigeben() {
    m_dateiSperre.unlock();
}

QString ZentraleSender::adressText() const {
    QStringList teile;
    for (const auto& [k, v] : m_adresse.parameter())
        if (!ZentraleAdresse::istGeheim(k))
            teile << k + u'=' + v;
    return teile.join(u' ');
}

QString ZentraleSender::serverSchluessel() const {
    const QMutexLocker lock(&m_kennungSperre);
    return m_kennung;
}

QString ZentraleSender::schluesselIn(QSqlDatabase& db) const {
    const QString kennung = serverSchluessel();
    return kennung.isEmpty() ? Seitentabellen::serverFuer(db, adressText(), m_adresse.serverSchluessel()) : kennung;
}

bool ZentraleSender::uebertragen(QSqlDatabase& alt, QString* fehler) {
    return Seitentabellen::nachlassUebertragen(alt, schluesselIn(alt), fehler);
}

bool ZentraleSender::warten(int ms) {
    QMutexLocker lock(&m_weckSperre);
    if (!m_ende && !m_geweckt && ms > 0)
        m_wecker.wait(&m_weckSperre, QDeadlineTimer(ms));
    m_geweckt = false;
    return !m_ende;
}

void ZentraleSender::run() {
    // Said once, and the thread ends: trying again would only repeat it until the files are installed and the
    // program started anew. "&Löschen" still hands the unsent rows on, which needs no thread.
    if (const QString fehlt = m_treiberPruefung ? m_treiberPruefung() : QString(); !fehlt.isEmpty()) {
        melden(ZentraleZustand::Lage::TreiberFehlt, -1, fehlt);
        return;
    }
    // Connections belong to the thread that opens them: both live and die here.
    recording::Datenquelle lokal(QStringLiteral("zentrale_lokal_%1").arg(quintptr(this), 0, 16));
    ZentraleServer server(m_adresse, QStringLiteral("zentrale_server_%1").arg(quintptr(this), 0, 16),
                          m_takt.anweisungsFristMs);
    int wartezeit = m_takt.wartezeitMinMs;
    for (;;) {
        const Runde ergebnis = runde(lokal, server);
        if (ergebnis == Runde::TreiberFehlt)
            break;
        int ms = 0;
        if (ergebnis == Runde::Fehler) {
            ms = wartezeit;
            wartezeit = qMin(wartezeit * 2, m_takt.wartezeitMaxMs);
        } else {
            wartezeit = m_takt.wartezeitMinMs;
            ms = ergebnis == Runde::AllesGesendet ? m_takt.ruheMs : 0;
        }
        if (!warten(ms))
            break;
    }
    server.trennen();
}

bool ZentraleSender::lokalLesen(recording::Datenquelle& lokal, Seitentabellen::Stapel* stapel, int hoechstens) {
    const QMutexLocker lock(&m_dateiSperre);
    QString fehler;
    bool ok = lokal.oeffnen(m_pfad);
    if (ok) {
        QSqlDatabase db = lokal.db();
        ok = Seitentabellen::einrichten(db, &fehler);
        const QString server = ok ? schluesselIn(db) : QString();
        ok = ok && Seitentabellen::stapelLesen(db, server, hoechstens, stapel, &fehler);
        // Rows deleted at the end of Gewichte: their numbers come again and must be sent again.
        if (ok && stapel->markeZuHoch)
            ok = Seitentabellen::markeSenken(db, server, stapel->hoechsteZeile, &fehler);
    } else {
        fehler = lokal.fehler();
    }
    lokal.schliessen();
    // The window already reports a database it cannot record into; the sender only notes it once.
    if (!ok && fehler != m_lokalFehler)
        qWarning("Gramura: Zentrale: zel.mdb nicht lesbar: %s", qPrintable(fehler));
    m_lokalFehler = ok ? QString() : fehler;
    return ok;
}

bool ZentraleSender::lokalMarkieren(recording::Datenquelle& lokal, const Seitentabellen::Stapel& stapel) {
    const QMutexLocker lock(&m_dateiSperre);
    QString fehler;
    bool ok = lokal.oeffnen(m_pfad);
    if (ok) {
        QSqlDatabase db = lokal.db();
        ok = Seitentabellen::gesendetMarkieren(db, schluesselIn(db), stapel, &fehler);
    }
    lokal.schliessen();
    // Not marked means sent again: the server drops what it already has.
    if (!ok)
        qWarning("Gramura: Zentrale: gesendete Gewichte nicht vermerkt: %s", qPrintable(fehler));
    return ok;
}

bool ZentraleSender::lokalZuordnen(recording::Datenquelle& lokal, const QString& server) {
    const QMutexLocker lock(&m_dateiSperre);
    QString fehler;
    bool ok = lokal.oeffnen(m_pfad);
    if (ok) {
        QSqlDatabase db = lokal.db();
        ok = Seitentabellen::einrichten(db, &fehler) &&
             Seitentabellen::serverZuordnen(db, adressText(), m_adresse.serverSchluessel(), server, &fehler);
    } else {
        fehler = lokal.fehler();
    }
    lokal.schliessen();
    if (!ok)
        qWarning("Gramura: Zentrale: zel.mdb nicht lesbar: %s", qPrintable(fehler));
    return ok;
}

ZentraleSender::Runde ZentraleSender::runde(recording::Datenquelle& lokal, ZentraleServer& server) {
    ZentraleServer::Fehler fehler;
    // Which server the address reaches decides which rows it still lacks, so the connection comes first.
    if (!server.bereit(&fehler)) {
        if (fehler.lage == ZentraleZustand::Lage::TreiberFehlt) {
            melden(fehler.lage, -1, fehler.text);
            return Runde::TreiberFehlt;
        }
        Seitentabellen::Stapel stapel;
        // Only counted: no rows are read for a server that is not there.
        melden(fehler.lage, lokalLesen(lokal, &stapel, 0) ? stapel.wartend : -1, fehler.text);
        return Runde::Fehler;
    }
    if (server.kennung() != serverSchluessel()) {
        if (!lokalZuordnen(lokal, server.kennung()))
            return Runde::Fehler;
        const QMutexLocker lock(&m_kennungSperre);
        m_kennung = server.kennung();
    }
    Seitentabellen::Stapel stapel;
    if (!lokalLesen(lokal, &stapel, m_takt.stapelGroesse))
        return Runde::Fehler;
    if (stapel.zeilen.isEmpty()) {
        melden(ZentraleZustand::Lage::InOrdnung, 0, QString());
        return Runde::AllesGesendet;
    }
    ZentraleServer::Ergebnis ergebnis;
    if (!server.senden(m_station, stapel.zeilen, &ergebnis, &fehler)) {
        melden(fehler.lage, stapel.wartend, fehler.text);
        return Runde::Fehler;
    }
    if (m_nachCommit)
        m_nachCommit(stapel);
    const bool markiert = lokalMarkieren(lokal, stapel);
    m_ungueltig += ergebnis.ungueltig;
    if (ergebnis.ungueltig > 0)
        qWarning("Gramura: Zentrale %s: %d Gewichte mit einem Wert gesendet, den der Server nicht annehmen kann; "
                 "dort leer und in „ungueltig“ vermerkt",
                 qPrintable(m_adresse.anzeige()), ergebnis.ungueltig);
    if (ergebnis.abweichend > 0)
        qWarning("Gramura: Zentrale %s: %d Gewichte trugen eine Nummer, die der Server schon mit anderen Werten hat "
                 "(eine zurückgespielte oder kopierte zel.mdb?); dort mit „abweichung_von“ vermerkt",
                 qPrintable(m_adresse.anzeige()), ergebnis.abweichend);
    const qint64 rest = stapel.wartend - stapel.zeilen.size();
    melden(ZentraleZustand::Lage::InOrdnung, qMax<qint64>(0, rest), QString());
    if (!markiert)
        return Runde::Fehler;
    return rest > 0 ? Runde::Weiter : Runde::AllesGesendet;
}

void ZentraleSender::melden(ZentraleZustand::Lage lage, qint64 wartend, const QString& meldung) {
    ZentraleZustand neu;
    neu.lage = lage;
    neu.wartend = wartend;
    neu.meldung = meldung;
    neu.ungueltig = m_ungueltig;
    // A fault keeps the moment it began while it lasts, whatever its kind turns into.
    if (lage != ZentraleZustand::Lage::InOrdnung)
        neu.seit = m_zustand.lage == ZentraleZustand::Lage::InOrdnung ? QDateTime::currentDateTime() : m_zustand.seit;
    const bool anders = neu.lage != m_zustand.lage || neu.wartend != m_zustand.wartend ||
                        neu.meldung != m_zustand.meldung || neu.seit != m_zustand.seit ||
                        neu.ungueltig != m_zustand.ungueltig;
    // What the window's line says, without the time and count that change while it lasts, then the details: the
    // name of a missing file or the server's words alone would not say what is wrong.
    if (lage != ZentraleZustand::Lage::InOrdnung && neu.lage != m_zustand.lage) {
        ZentraleZustand kurz = neu;
        kurz.seit = QDateTime();
        kurz.wartend = -1;
        QString text = kurz.zeile(QDateTime());
        if (lage != ZentraleZustand::Lage::TreiberFehlt && !meldung.isEmpty())
            text += QStringLiteral(": ") + meldung;
        qWarning("Gramura: Zentrale %s: %s", qPrintable(m_adresse.anzeige()), qPrintable(text));
    }
    m_zustand = neu;
    if (anders)
        Q_EMIT zustandGeaendert(neu);
}

} // namespace zentrale
