#include "zeitbuchung.h"

#include "seitentabellen.h"

#include <QSqlError>

namespace zentrale {

// A file that cannot take the side tables (written by an earlier version, say, and now read-only for them)
// still records; its rows reach the server with an instant derived from their local time.
bool ZeitBuchung::vorbereiten(QSqlDatabase& db, QString* fehler) {
    freigeben();
    if (!Seitentabellen::einrichten(db, fehler))
        return false;
    // OR REPLACE: an instant left from a deleted row whose number came again gives way to the new row's.
    QSqlQuery zeit(db);
    QSqlQuery marke(db);
    if (!zeit.prepare(
            QStringLiteral("INSERT OR REPLACE INTO zentrale_zeit (zeile, utc) VALUES (last_insert_rowid(), ?)")) ||
        !marke.prepare(QStringLiteral("UPDATE zentrale_gesendet SET bis = last_insert_rowid() - 1 "
                                      "WHERE bis >= last_insert_rowid()"))) {
        *fehler = zeit.lastError().isValid() ? zeit.lastError().text() : marke.lastError().text();
        return false;
    }
    m_zeit.emplace(std::move(zeit));
    m_marke.emplace(std::move(marke));
    return true;
}

bool ZeitBuchung::buchen(const QDateTime& jetzt, QString* fehler) {
    if (!m_zeit || !m_marke)
        return false;
    m_zeit->bindValue(0, jetzt.toUTC().toMSecsSinceEpoch());
    bool ok = true;
    for (QSqlQuery* q : {&*m_zeit, &*m_marke}) {
        if (!q->exec()) {
            ok = false;
            *fehler = q->lastError().text();
        }
        q->finish();
    }
    return ok;
}

void ZeitBuchung::freigeben() {
    m_zeit.reset();
    m_marke.reset();
}

} // namespace zentrale
