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
    if (m_buchung) {
        QSqlDatabase db = m_quelle.db();
        QString grund;
        m_buchungBereit = m_buchung->vorbereiten(db, &grund);
        if (!m_buchungBereit)
            qWarning("Gramura: ohne Zeitpunkt für die Zentrale aufgezeichnet: %s", qPrintable(grund));
    }
    return true;
}

QString WeightStore::letzterFehler() const {
    for (const QSqlError& e : {m_insert->lastError(), m_quelle.db().lastError()})
        if (e.isValid())
            return e.text();
    return {};
}

// The row is what counts: the books may fail (another program dropped or locked a side table) without
// costing the weight.
bool WeightStore::mitBuchungSpeichern(const QDateTime& jetzt) {
    QSqlDatabase db = m_quelle.db();
    if (!db.transaction())
        return false;
    if (!m_insert->exec()) {
        db.rollback();
        return false;
    }
    QString grund;
    if (!m_buchung->buchen(jetzt, &grund)) {
        if (grund != m_buchungsFehler)
            qWarning("Gramura: Gewicht ohne Vermerk für die Zentrale gespeichert: %s", qPrintable(grund));
        m_buchungsFehler = grund;
    }
    if (db.commit())
        return true;
    db.rollback();
    return false;
}

void WeightStore::schliessen() {
    if (m_buchung && m_buchungBereit)
        m_buchung->freigeben();
    m_buchungBereit = false;
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
    const bool gebucht = m_buchung && m_buchungBereit;
    if (!(gebucht ? mitBuchungSpeichern(jetzt) : m_insert->exec())) {
        m_fehler = QStringLiteral("Das Gewicht konnte nicht in „%1“ gespeichert werden: %2")
                       .arg(QDir::toNativeSeparators(m_quelle.pfad()), letzterFehler());
        return false;
    }
    m_insert->finish();
    m_fehler.clear();
    return true;
}

} // namespace recording
