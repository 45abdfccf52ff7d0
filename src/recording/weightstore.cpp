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
    QSqlQuery zeit(db);
    if (!zeit.prepare(QStringLiteral("INSERT INTO zentrale_zeit (zeile, utc) VALUES (last_insert_rowid(), ?)"))) {
        m_fehler = zeit.lastError().text();
        return false;
    }
    m_zeitInsert.emplace(std::move(zeit));
    return true;
}

QString WeightStore::letzterFehler() const {
    for (const QSqlError& e :
         {m_insert->lastError(), m_zeitInsert ? m_zeitInsert->lastError() : QSqlError(), m_quelle.db().lastError()})
        if (e.isValid())
            return e.text();
    return {};
}

bool WeightStore::mitZeitSpeichern() {
    QSqlDatabase db = m_quelle.db();
    if (!db.transaction())
        return false;
    if (m_insert->exec() && m_zeitInsert->exec() && db.commit())
        return true;
    db.rollback();
    return false;
}

void WeightStore::schliessen() {
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
