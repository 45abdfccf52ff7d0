#include "weightstore.h"

#include "gewichttext.h"
#include "seitentabellen.h"
#include "vorlage.h"

#include <QDir>
#include <QSqlError>

namespace recording {

WeightStore::WeightStore(const QString& verbindung) : m_quelle(verbindung) {}

WeightStore::~WeightStore() {
    schliessen();
}

bool WeightStore::oeffnen(const QString& pfad) {
    schliessen();
    if (!m_quelle.oeffnen(pfad)) {
        m_fehler = m_quelle.fehler();
        return false;
    }
    return insertVorbereiten();
}

bool WeightStore::insertVorbereiten() {
    QSqlQuery insert(m_quelle.db());
    if (!insert.prepare(QStringLiteral("insert into Gewichte (Datum, gewicht) values (?, ?)"))) {
        m_fehler = QStringLiteral("In „%1“ fehlt die Tabelle Gewichte: %2")
                       .arg(QDir::toNativeSeparators(m_quelle.pfad()), insert.lastError().text());
        insert = QSqlQuery();
        m_quelle.schliessen();
        return false;
    }
    m_insert.emplace(std::move(insert));
    m_fehler.clear();
    if (m_zeitErfassen && !zeitVorbereiten())
        qWarning("Gramura: ohne Zeitpunkt für die Zentrale aufgezeichnet: %s", qPrintable(m_fehler));
    m_fehler.clear();
    return true;
}

// A file that cannot take the side tables (written by an earlier version, say, and now read-only for them)
// still records; its rows reach the server with an instant derived from their local time.
bool WeightStore::zeitVorbereiten() {
    QSqlDatabase db = m_quelle.db();
    if (!Seitentabellen::einrichten(db, &m_fehler))
        return false;
    // OR REPLACE: another program may have deleted the newest rows, and SQLite hands their numbers out again;
    // an instant left from such a row must give way to the new row's.
    QSqlQuery zeit(db);
    if (!zeit.prepare(
            QStringLiteral("INSERT OR REPLACE INTO zentrale_zeit (zeile, utc) VALUES (last_insert_rowid(), ?)"))) {
        m_fehler = zeit.lastError().text();
        return false;
    }
    // A number handed out again lies at or below what the servers have: their marks step back below it, so
    // the new row is sent.
    QSqlQuery marke(db);
    if (!marke.prepare(QStringLiteral("UPDATE zentrale_gesendet SET bis = last_insert_rowid() - 1 "
                                      "WHERE bis >= last_insert_rowid()"))) {
        m_fehler = marke.lastError().text();
        return false;
    }
    m_zeitInsert.emplace(std::move(zeit));
    m_markeInsert.emplace(std::move(marke));
    return true;
}

QString WeightStore::letzterFehler() const {
    for (const QSqlError& e : {m_insert->lastError(), m_quelle.db().lastError()})
        if (e.isValid())
            return e.text();
    return {};
}

// The row is what counts: the side tables' bookkeeping may fail (another program dropped or locked a table)
// without costing the weight. Such a row reaches the server with an instant derived from its local time.
bool WeightStore::mitZeitSpeichern() {
    QSqlDatabase db = m_quelle.db();
    if (!db.transaction())
        return false;
    if (!m_insert->exec()) {
        db.rollback();
        return false;
    }
    for (QSqlQuery* buchung : {&*m_zeitInsert, &*m_markeInsert}) {
        if (!buchung->exec()) {
            const QString grund = buchung->lastError().text();
            if (grund != m_buchungsFehler)
                qWarning("Gramura: Gewicht ohne Vermerk für die Zentrale gespeichert: %s", qPrintable(grund));
            m_buchungsFehler = grund;
        }
        buchung->finish();
    }
    if (db.commit())
        return true;
    db.rollback();
    return false;
}

void WeightStore::schliessen() {
    m_markeInsert.reset();
    m_zeitInsert.reset();
    m_insert.reset();
    m_quelle.schliessen();
}

bool WeightStore::speichern(const QString& gewichtText, const QDateTime& jetzt) {
    // A database that could not be opened is tried again at each call, so recording resumes by itself
    // once the file is back.
    if (!m_insert) {
        if (m_quelle.pfad().isEmpty()) {
            m_fehler = QStringLiteral("Es ist keine Datenbank zum Aufzeichnen eingerichtet.");
            return false;
        }
        if (!oeffnen(m_quelle.pfad()))
            return false;
    }
    m_insert->bindValue(0, datumSpeicherform(jetzt));
    m_insert->bindValue(1, gewichtWert(gewichtText));
    if (m_zeitInsert)
        m_zeitInsert->bindValue(0, jetzt.toUTC().toMSecsSinceEpoch());
    if (!(m_zeitInsert ? mitZeitSpeichern() : m_insert->exec())) {
        m_fehler = QStringLiteral("Das Gewicht konnte nicht in „%1“ gespeichert werden: %2")
                       .arg(QDir::toNativeSeparators(m_quelle.pfad()), letzterFehler());
        return false;
    }
    m_insert->finish();
    if (m_zeitInsert)
        m_zeitInsert->finish();
    m_fehler.clear();
    return true;
}

} // namespace recording
