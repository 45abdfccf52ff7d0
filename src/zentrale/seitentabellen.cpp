#include "seitentabellen.h"

#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace zentrale {

namespace {

bool ausfuehren(QSqlQuery& query, const QString& sql, QString* fehler) {
    if (query.exec(sql))
        return true;
    if (fehler)
        *fehler = query.lastError().text();
    return false;
}

bool ausfuehren(QSqlQuery& query, QString* fehler) {
    if (query.exec())
        return true;
    if (fehler)
        *fehler = query.lastError().text();
    return false;
}

// Everything or nothing: a failed step leaves the file as it was.
class Transaktion {
public:
    explicit Transaktion(QSqlDatabase& db) : m_db(db) {}
    ~Transaktion() {
        if (m_offen)
            m_db.rollback();
    }
    // IMMEDIATE: the write lock is taken at once, so two processes setting up the same file do not both
    // decide the identity is missing.
    bool beginnen(QString* fehler) {
        QSqlQuery query(m_db);
        m_offen = ausfuehren(query, QStringLiteral("BEGIN IMMEDIATE"), fehler);
        return m_offen;
    }
    bool abschliessen(QString* fehler) {
        QSqlQuery query(m_db);
        if (!ausfuehren(query, QStringLiteral("COMMIT"), fehler))
            return false;
        m_offen = false;
        return true;
    }

private:
    QSqlDatabase& m_db;
    bool m_offen = false;
};

ZentralZeile zeileAus(const QSqlQuery& q, const QString& datei, int ab) {
    ZentralZeile z;
    z.datei = datei.isEmpty() ? q.value(ab++).toString() : datei;
    z.zeile = q.value(ab++).toLongLong();
    z.datum = q.value(ab++);
    z.gewicht = q.value(ab++);
    if (const QVariant utc = q.value(ab); !utc.isNull())
        z.utcMs = utc.toLongLong();
    return z;
}

} // namespace

bool Seitentabellen::einrichten(QSqlDatabase& db, QString* fehler, const QString& schema) {
    const QString s = schema + u'.';
    // Nothing to write once the file has its identity and every table: the usual case costs one read.
    {
        QSqlQuery query(db);
        if (query.exec(QStringLiteral("SELECT (SELECT count(*) FROM %1zentrale_datei), (SELECT count(*) FROM "
                                      "%1sqlite_master WHERE type = 'table' AND name = 'zentrale_server')")
                           .arg(s)) &&
            query.next() && query.value(0).toInt() > 0 && query.value(1).toInt() > 0)
            return true;
    }
    Transaktion t(db);
    if (!t.beginnen(fehler))
        return false;
    QSqlQuery query(db);
    const QString schritte[] = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1zentrale_datei (kennung TEXT NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1zentrale_zeit (zeile INTEGER PRIMARY KEY, utc INTEGER NOT NULL)"),
        QStringLiteral(
            "CREATE TABLE IF NOT EXISTS %1zentrale_gesendet (server TEXT PRIMARY KEY, bis INTEGER NOT NULL)"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1zentrale_ausgang (nr INTEGER PRIMARY KEY, server TEXT NOT NULL, "
                       "datei TEXT NOT NULL, zeile INTEGER NOT NULL, datum, gewicht, utc INTEGER, "
                       "UNIQUE (server, datei, zeile))"),
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1zentrale_server (adresse TEXT PRIMARY KEY, server TEXT NOT NULL)"),
    };
    for (const QString& schritt : schritte)
        if (!ausfuehren(query, schritt.arg(s), fehler))
            return false;
    if (!ausfuehren(query, QStringLiteral("SELECT count(*) FROM %1zentrale_datei").arg(s), fehler) || !query.next())
        return false;
    if (query.value(0).toInt() == 0) {
        query.prepare(QStringLiteral("INSERT INTO %1zentrale_datei (kennung) VALUES (?)").arg(s));
        query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
        if (!ausfuehren(query, fehler))
            return false;
    }
    query = QSqlQuery();
    return t.abschliessen(fehler);
}

QString Seitentabellen::kennung(QSqlDatabase& db, const QString& schema) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT kennung FROM %1.zentrale_datei LIMIT 1").arg(schema)) || !query.next())
        return {};
    return query.value(0).toString();
}

bool Seitentabellen::stapelLesen(QSqlDatabase& db, const QString& server, int hoechstens, Stapel* stapel,
                                 QString* fehler) {
    *stapel = Stapel();
    // One read transaction: outbox, mark and rows seen as of one moment.
    {
        QSqlQuery beginn(db);
        if (!ausfuehren(beginn, QStringLiteral("BEGIN"), fehler))
            return false;
    }
    const auto ende = qScopeGuard([&db] { QSqlQuery(db).exec(QStringLiteral("COMMIT")); });
    QSqlQuery query(db);
    stapel->datei = kennung(db);
    if (stapel->datei.isEmpty()) {
        if (fehler)
            *fehler = QStringLiteral("zel.mdb hat noch keine Kennung");
        return false;
    }
    query.prepare(QStringLiteral("SELECT datei, zeile, datum, gewicht, utc FROM zentrale_ausgang WHERE server = ? "
                                 "ORDER BY nr LIMIT ?"));
    query.addBindValue(server);
    query.addBindValue(hoechstens);
    if (!ausfuehren(query, fehler))
        return false;
    while (query.next())
        stapel->zeilen << zeileAus(query, QString(), 0);
    query.prepare(QStringLiteral("SELECT count(*) FROM zentrale_ausgang WHERE server = ?"));
    query.addBindValue(server);
    if (!ausfuehren(query, fehler) || !query.next())
        return false;
    stapel->wartend = query.value(0).toLongLong();

    query.prepare(QStringLiteral("SELECT coalesce((SELECT bis FROM zentrale_gesendet WHERE server = ?), 0), "
                                 "coalesce((SELECT max(rowid) FROM Gewichte), 0)"));
    query.addBindValue(server);
    if (!ausfuehren(query, fehler) || !query.next())
        return false;
    qint64 bis = query.value(0).toLongLong();
    stapel->hoechsteZeile = query.value(1).toLongLong();
    if (bis > stapel->hoechsteZeile) {
        stapel->markeZuHoch = true;
        bis = stapel->hoechsteZeile;
    }
    // The program only appends, so the rows past the mark are counted without reading them.
    stapel->wartend += qMax<qint64>(0, stapel->hoechsteZeile - bis);
    const qint64 rest = hoechstens - stapel->zeilen.size();
    if (rest <= 0)
        return true;
    query.prepare(QStringLiteral("SELECT g.rowid, g.Datum, g.Gewicht, z.utc FROM Gewichte g "
                                 "LEFT JOIN zentrale_zeit z ON z.zeile = g.rowid "
                                 "WHERE g.rowid > ? ORDER BY g.rowid LIMIT ?"));
    query.addBindValue(bis);
    query.addBindValue(rest);
    if (!ausfuehren(query, fehler))
        return false;
    while (query.next()) {
        stapel->zeilen << zeileAus(query, stapel->datei, 0);
        stapel->bisZeile = stapel->zeilen.last().zeile;
    }
    return true;
}

bool Seitentabellen::gesendetMarkieren(QSqlDatabase& db, const QString& server, const Stapel& stapel, QString* fehler) {
    Transaktion t(db);
    if (!t.beginnen(fehler))
        return false;
    // Only rows of other files can be in the outbox: the file's own rows get there only when "&Löschen"
    // replaced it, and the new file has an identity of its own.
    const QString datei = kennung(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM zentrale_ausgang WHERE server = ? AND datei = ? AND zeile = ?"));
    for (const ZentralZeile& z : stapel.zeilen) {
        if (z.datei == datei)
            continue;
        query.addBindValue(server);
        query.addBindValue(z.datei);
        query.addBindValue(z.zeile);
        if (!ausfuehren(query, fehler))
            return false;
    }
    if (stapel.bisZeile > 0 && datei == stapel.datei) {
        query.prepare(QStringLiteral("INSERT INTO zentrale_gesendet (server, bis) VALUES (?, ?) "
                                     "ON CONFLICT (server) DO UPDATE SET bis = max(bis, excluded.bis)"));
        query.addBindValue(server);
        query.addBindValue(stapel.bisZeile);
        if (!ausfuehren(query, fehler))
            return false;
    }
    query = QSqlQuery();
    return t.abschliessen(fehler);
}

bool Seitentabellen::markeSenken(QSqlDatabase& db, const QString& server, qint64 bis, QString* fehler) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE zentrale_gesendet SET bis = ? WHERE server = ? AND bis > ?"));
    query.addBindValue(bis);
    query.addBindValue(server);
    query.addBindValue(bis);
    return ausfuehren(query, fehler);
}

QString Seitentabellen::serverFuer(QSqlDatabase& db, const QString& adresse, const QString& frueher) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT server FROM zentrale_server WHERE adresse = ?"));
    query.addBindValue(adresse);
    if (query.exec() && query.next())
        return query.value(0).toString();
    return frueher;
}

bool Seitentabellen::serverZuordnen(QSqlDatabase& db, const QString& adresse, const QString& frueher,
                                    const QString& server, QString* fehler) {
    if (serverFuer(db, adresse, QString()) == server)
        return true;
    Transaktion t(db);
    if (!t.beginnen(fehler))
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO zentrale_server (adresse, server) VALUES (?, ?) "
                                 "ON CONFLICT (adresse) DO UPDATE SET server = excluded.server"));
    query.addBindValue(adresse);
    query.addBindValue(server);
    if (!ausfuehren(query, fehler))
        return false;
    // An earlier version kept the mark under a text made of the address; so does a "&Löschen" before the
    // first connection.
    query.prepare(QStringLiteral("INSERT INTO zentrale_gesendet (server, bis) SELECT ?, bis FROM zentrale_gesendet "
                                 "WHERE server = ? ON CONFLICT (server) DO UPDATE SET bis = max(bis, excluded.bis)"));
    query.addBindValue(server);
    query.addBindValue(frueher);
    if (!ausfuehren(query, fehler))
        return false;
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO zentrale_ausgang (server, datei, zeile, datum, gewicht, utc) "
                                 "SELECT ?, datei, zeile, datum, gewicht, utc FROM zentrale_ausgang WHERE server = ? "
                                 "ORDER BY nr"));
    query.addBindValue(server);
    query.addBindValue(frueher);
    if (!ausfuehren(query, fehler))
        return false;
    for (const char* tabelle : {"zentrale_gesendet", "zentrale_ausgang"}) {
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE server = ?").arg(QLatin1String(tabelle)));
        query.addBindValue(frueher);
        if (!ausfuehren(query, fehler))
            return false;
    }
    query = QSqlQuery();
    return t.abschliessen(fehler);
}

bool Seitentabellen::nachlassUebertragen(QSqlDatabase& alt, const QString& server, QString* fehler) {
    if (!einrichten(alt, fehler) || !einrichten(alt, fehler, QStringLiteral("neu")))
        return false;
    Transaktion t(alt);
    if (!t.beginnen(fehler))
        return false;
    QSqlQuery query(alt);
    if (!ausfuehren(query,
                    QStringLiteral("INSERT OR IGNORE INTO neu.zentrale_ausgang (server, datei, zeile, datum, gewicht, "
                                   "utc) SELECT server, datei, zeile, datum, gewicht, utc FROM main.zentrale_ausgang "
                                   "ORDER BY nr"),
                    fehler))
        return false;
    query.prepare(QStringLiteral(
        "INSERT OR IGNORE INTO neu.zentrale_ausgang (server, datei, zeile, datum, gewicht, utc) "
        "SELECT ?, (SELECT kennung FROM main.zentrale_datei LIMIT 1), g.rowid, g.Datum, g.Gewicht, z.utc "
        "FROM main.Gewichte g LEFT JOIN main.zentrale_zeit z ON z.zeile = g.rowid "
        "WHERE g.rowid > coalesce((SELECT bis FROM main.zentrale_gesendet WHERE server = ?), 0) ORDER BY g.rowid"));
    query.addBindValue(server);
    query.addBindValue(server);
    if (!ausfuehren(query, fehler))
        return false;
    query = QSqlQuery();
    return t.abschliessen(fehler);
}

} // namespace zentrale
