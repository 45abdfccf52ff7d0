#include "weightstore.h"

#include "gewichttext.h"
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
    return true;
}

void WeightStore::schliessen() {
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
    if (!m_insert->exec()) {
        m_fehler = QStringLiteral("Das Gewicht konnte nicht in „%1“ gespeichert werden: %2")
                       .arg(QDir::toNativeSeparators(m_quelle.pfad()), m_insert->lastError().text());
        return false;
    }
    m_insert->finish();
    m_fehler.clear();
    return true;
}

} // namespace recording
