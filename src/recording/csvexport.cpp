#include "csvexport.h"

#include "csvformat.h"
#include "platform/konsolenausgabe.h"
#include "platform/standardausgabe.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace recording {

namespace {

QString anzeige(const QString& pfad) {
    return QDir::toNativeSeparators(pfad);
}

// The same file under two names, judged without opening either (the database may be SQLite's).
bool dieselbeDatei(const QString& a, const QString& b) {
    const QFileInfo ia(a);
    const QFileInfo ib(b);
    const QString ka = ia.exists() ? ia.canonicalFilePath() : ia.absoluteFilePath();
    const QString kb = ib.exists() ? ib.canonicalFilePath() : ib.absoluteFilePath();
    return ka == kb;
}

} // namespace

CsvExport::CsvExport(QString datenbank, Zeitraum zeitraum, QString ziel, QString verbindung)
    : m_datenbank(std::move(datenbank)), m_zeitraum(std::move(zeitraum)), m_ziel(std::move(ziel)),
      m_quelle(verbindung) {}

CsvExport::~CsvExport() {
    abbrechen();
}

bool CsvExport::scheitern(const QString& meldung, bool datei) {
    m_fehler = meldung;
    m_dateiFehler = datei;
    abbrechen();
    return false;
}

bool CsvExport::standardausgabe() const {
    return m_ziel == QLatin1String("-");
}

bool CsvExport::direkt() const {
    if (standardausgabe())
        return true;
    // /dev/stdout and /dev/fd/N lead to whatever the caller opened, a regular file too, which must be
    // written where the caller's descriptor points, not replaced.
    if (QDir::fromNativeSeparators(m_ziel).startsWith(QLatin1String("/dev/")))
        return true;
    // Windows' devices (NUL, CON) are there in every folder, and a file renamed onto one is refused.
    if (platform::geraetename(m_ziel))
        return true;
    const QFileInfo info(m_ziel);
    return info.exists() && !info.isFile() && !info.isDir();
}

bool CsvExport::beginnen() {
    m_fehler.clear();
    // Writing over the database or its journal would destroy the records, and any other descriptor on
    // them would cost SQLite its locks.
    for (const QString& endung : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (!standardausgabe() && dieselbeDatei(m_ziel, m_datenbank + endung))
            return scheitern(QStringLiteral("„%1“ ist die Datenbank selbst und kann nicht Ziel der Ausgabe sein.")
                                 .arg(anzeige(m_ziel)),
                             true);
    }
    if (!standardausgabe() && Datenquelle::inBenutzung(m_ziel))
        return scheitern(QStringLiteral("„%1“ ist eine geöffnete Datenbank und kann nicht Ziel der Ausgabe sein.")
                             .arg(anzeige(m_ziel)),
                         true);
    if (!m_quelle.oeffnenZumLesen(m_datenbank))
        return scheitern(m_quelle.fehler());
    if (!schaetzen())
        return false;
    bool offen = false;
    if (!direkt()) {
        m_datei = std::make_unique<QSaveFile>(m_ziel);
        offen = m_datei->open(QIODevice::WriteOnly);
    } else if (auto konsole = platform::konsoleFuer(m_ziel)) {
        // A console of Windows shows the rows as text; as bytes it would read them in its own code page.
        offen = konsole->open(QIODevice::WriteOnly);
        m_datei = std::move(konsole);
    } else {
        // A temporary file renamed over a FIFO would leave a plain file in its place and its reader waiting,
        // and /dev takes no new file: these are written as they are.
        auto datei = std::make_unique<QFile>(m_ziel);
        if (standardausgabe()) {
            platform::standardausgabeUnveraendert();
            offen = datei->open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
        } else if (platform::geraetename(m_ziel)) {
            QString grund;
            if (!platform::geraetOeffnen(*datei, m_ziel, &grund))
                return scheitern(QStringLiteral("„%1“ lässt sich nicht schreiben: %2").arg(anzeige(m_ziel), grund),
                                 true);
            offen = true;
        } else {
            offen = datei->open(QIODevice::WriteOnly);
        }
        m_datei = std::move(datei);
    }
    if (!offen || m_datei->write(CsvFormat::kopf()) < 0)
        return scheitern(
            QStringLiteral("„%1“ lässt sich nicht schreiben: %2").arg(anzeige(m_ziel), m_datei->errorString()), true);
    return true;
}

bool CsvExport::schaetzen() {
    QSqlQuery query(m_quelle.db());
    query.setForwardOnly(true);
    // Each end of the period is one step down the index on Datum; an open start begins with the rows
    // without Datum, which sort first.
    QString bereich = offenerAnfang() ? QStringLiteral("datum is not null") : QStringLiteral("datum >= :von");
    if (!m_zeitraum.obergrenze().isEmpty())
        bereich += QStringLiteral(" and datum < :bis");
    const QString ohneDatum =
        QStringLiteral("(select rowid from gewichte where datum is null order by datum %1, rowid %1 "
                       "limit 1)");
    const QString sql =
        QStringLiteral("select (select max(rowid) from gewichte), "
                       "coalesce(%2, (select rowid from gewichte where %1 order by datum asc, rowid asc limit 1)), "
                       "coalesce((select rowid from gewichte where %1 order by datum desc, rowid desc limit 1), %3)")
            .arg(bereich, offenerAnfang() ? ohneDatum.arg(QStringLiteral("asc")) : QStringLiteral("null"),
                 offenerAnfang() ? ohneDatum.arg(QStringLiteral("desc")) : QStringLiteral("null"));
    bool ok = query.prepare(sql);
    if (!offenerAnfang())
        query.bindValue(QStringLiteral(":von"), m_zeitraum.untergrenze());
    if (!m_zeitraum.obergrenze().isEmpty())
        query.bindValue(QStringLiteral(":bis"), m_zeitraum.obergrenze());
    ok = ok && query.exec() && query.next();
    if (!ok)
        return scheitern(
            QStringLiteral("Aus „%1“ lässt sich nicht lesen: %2").arg(anzeige(m_datenbank), query.lastError().text()));
    m_grenze = query.value(0).toLongLong();
    const qint64 erste = query.value(1).toLongLong();
    const qint64 letzte = query.value(2).toLongLong();
    // Rows stored out of time order (by another program) make the span meaningless: then every row counts.
    m_geschaetzt = query.value(1).isNull() ? 0 : letzte >= erste ? letzte - erste + 1 : m_grenze;
    m_gelesen = query.value(1).isNull();
    query.finish();
    return true;
}

bool CsvExport::lesen(bool gruppe, int anzahl, QByteArray& block, int* zeilen) {
    // The key's Datum exactly as stored, looked up by its rowid: a BLOB, a number or a text that is not
    // UTF-8 would not come back the same from its QVariant, and compared as another type or other bytes
    // it would lie before rows already written, or after rows still to come. The value as read stands in
    // should another program have deleted that row meanwhile.
    const QString schluessel = QStringLiteral("coalesce((select datum from gewichte where rowid = :rowid), :datum)");
    const bool nullSchluessel = m_hatSchluessel && m_letztesDatum.isNull();
    QString sql = QStringLiteral("select datum, gewicht, rowid from gewichte where rowid <= :grenze and ");
    if (gruppe) {
        // Equality and rowid: a group of equal Datum of any size (an import on one date, the rows without
        // one) is walked once along the index, not from its start again at each block.
        sql += !m_hatSchluessel ? QStringLiteral("datum is null")
               : nullSchluessel ? QStringLiteral("datum is null and rowid > :rowid")
                                : QStringLiteral("datum = %1 and rowid > :rowid").arg(schluessel);
    } else {
        // After the first block the last key alone is the lower bound: given the period's start as well,
        // SQLite may start each block's walk along the index there, and every block would read all rows
        // before it.
        sql += m_hatSchluessel && !nullSchluessel  ? QStringLiteral("datum > %1").arg(schluessel)
               : offenerAnfang() || nullSchluessel ? QStringLiteral("datum is not null")
                                                   : QStringLiteral("datum >= :von");
        if (!m_zeitraum.obergrenze().isEmpty())
            sql += QStringLiteral(" and datum < :bis");
    }
    sql += QStringLiteral(" order by datum asc, rowid asc limit :anzahl");
    QSqlQuery query(m_quelle.db());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    query.bindValue(QStringLiteral(":grenze"), m_grenze);
    if (m_hatSchluessel)
        query.bindValue(QStringLiteral(":rowid"), m_letzteRowid);
    if (m_hatSchluessel && !nullSchluessel)
        query.bindValue(QStringLiteral(":datum"), m_letztesDatum);
    if (!gruppe && !m_hatSchluessel && !offenerAnfang())
        query.bindValue(QStringLiteral(":von"), m_zeitraum.untergrenze());
    if (!gruppe && !m_zeitraum.obergrenze().isEmpty())
        query.bindValue(QStringLiteral(":bis"), m_zeitraum.obergrenze());
    query.bindValue(QStringLiteral(":anzahl"), anzahl);
    if (!ok || !query.exec())
        return scheitern(
            QStringLiteral("Aus „%1“ lässt sich nicht lesen: %2").arg(anzeige(m_datenbank), query.lastError().text()));
    while (query.next()) {
        const QVariant datum = query.value(0);
        CsvFormat::zeileAnhaengen(block, datum, query.value(1));
        m_letztesDatum = datum;
        m_letzteRowid = query.value(2).toLongLong();
        m_hatSchluessel = true;
        ++*zeilen;
    }
    const bool abfrageFehler = query.lastError().isValid();
    const QString grund = query.lastError().text();
    // Done with the statement before the slow part: the file write holds no snapshot.
    query.finish();
    if (abfrageFehler)
        return scheitern(QStringLiteral("Aus „%1“ lässt sich nicht lesen: %2").arg(anzeige(m_datenbank), grund));
    return true;
}

bool CsvExport::weiter() {
    if (!m_datei)
        return false;
    if (m_gelesen)
        return true;
    QByteArray block;
    block.reserve(kBlockZeilen * 32);
    int gruppe = 0;
    if ((m_hatSchluessel || offenerAnfang()) && !lesen(true, kBlockZeilen, block, &gruppe))
        return false;
    int folgende = 0;
    if (gruppe < kBlockZeilen) {
        if (!lesen(false, kBlockZeilen - gruppe, block, &folgende))
            return false;
        m_gelesen = folgende < kBlockZeilen - gruppe;
    }
    m_geschrieben += gruppe + folgende;
    if (m_datei->write(block) != block.size())
        return scheitern(
            QStringLiteral("„%1“ lässt sich nicht schreiben: %2").arg(anzeige(m_ziel), m_datei->errorString()), true);
    return true;
}

bool CsvExport::abschliessen() {
    if (!m_datei || !m_gelesen)
        return false;
    m_quelle.schliessen();
    bool ok = false;
    if (auto* sicher = qobject_cast<QSaveFile*>(m_datei.get())) {
        ok = sicher->commit();
    } else {
        auto* datei = qobject_cast<QFileDevice*>(m_datei.get());
        ok = !datei || datei->flush();
        m_datei->close();
        ok = ok && (!datei || datei->error() == QFileDevice::NoError);
    }
    const QString grund = m_datei->errorString();
    m_datei.reset();
    if (!ok) {
        m_fehler = QStringLiteral("„%1“ lässt sich nicht schreiben: %2").arg(anzeige(m_ziel), grund);
        m_dateiFehler = true;
        return false;
    }
    return true;
}

void CsvExport::abbrechen() {
    if (auto* sicher = qobject_cast<QSaveFile*>(m_datei.get()))
        sicher->cancelWriting();
    m_datei.reset(); // QSaveFile removes its temporary file when it is not committed
    m_quelle.schliessen();
}

QString CsvExport::gewichte(qint64 anzahl) {
    return anzahl == 1 ? QStringLiteral("1 Gewicht") : QStringLiteral("%1 Gewichte").arg(QLocale().toString(anzahl));
}

QString CsvExport::bericht() const {
    if (m_geschrieben == 0)
        return kKeineGewichte + QStringLiteral(": nur die Kopfzeile in %1 geschrieben").arg(anzeige(m_ziel));
    return QStringLiteral("%1 exportiert nach %2").arg(gewichte(m_geschrieben), anzeige(m_ziel));
}

std::optional<bool> CsvExport::zeitraumLeer(const QString& datenbank, const Zeitraum& zeitraum) {
    std::optional<bool> leer;
    Datenquelle quelle(QStringLiteral("exportpruefung"));
    if (!quelle.oeffnenZumLesen(datenbank))
        return leer;
    {
        // The same rows as the export takes: an open start takes those without Datum, and numbers sort
        // below any day, BLOBs above.
        QString bereich;
        if (zeitraum.von.isValid())
            bereich = QStringLiteral("datum >= :von");
        if (zeitraum.bis.isValid())
            bereich += bereich.isEmpty() ? QStringLiteral("(datum is null or datum < :bis)")
                                         : QStringLiteral(" and datum < :bis");
        QSqlQuery query(quelle.db());
        query.setForwardOnly(true);
        bool ok = query.prepare(QStringLiteral("select exists (select 1 from gewichte%1)")
                                    .arg(bereich.isEmpty() ? QString() : QStringLiteral(" where ") + bereich));
        if (zeitraum.von.isValid())
            query.bindValue(QStringLiteral(":von"), zeitraum.untergrenze());
        if (zeitraum.bis.isValid())
            query.bindValue(QStringLiteral(":bis"), zeitraum.obergrenze());
        if (ok && query.exec() && query.next())
            leer = query.value(0).toInt() == 0;
    }
    quelle.schliessen();
    return leer;
}

bool CsvExport::ausfuehren() {
    if (!beginnen())
        return false;
    while (!m_gelesen) {
        if (!weiter())
            return false;
    }
    return abschliessen();
}

} // namespace recording
