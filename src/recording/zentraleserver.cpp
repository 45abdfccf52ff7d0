#include "zentraleserver.h"

#include "vorlage.h"
#include "zentralesql.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUuid>
#include <cmath>

namespace recording {

namespace {

const auto kTreiber = QStringLiteral("QPSQL");

// Without these a server that vanishes from the network mid-statement would keep the sender waiting for
// the operating system's TCP timeout, which can be hours.
const QList<QPair<QString, QString>> kVorgaben = {
    {QStringLiteral("connect_timeout"), QStringLiteral("10")},
    {QStringLiteral("keepalives_idle"), QStringLiteral("10")},
    {QStringLiteral("keepalives_interval"), QStringLiteral("5")},
    {QStringLiteral("keepalives_count"), QStringLiteral("3")},
    {QStringLiteral("tcp_user_timeout"), QStringLiteral("30000")},
    {QStringLiteral("application_name"), QStringLiteral("gramura")},
};

QString literal(const QSqlDatabase& db, const QVariant& wert, QMetaType::Type typ) {
    QSqlField feld{QString(), QMetaType(typ)};
    feld.setValue(wert);
    return db.driver()->formatValue(feld);
}

} // namespace

ZentraleServer::ZentraleServer(ZentraleAdresse adresse, const QString& verbindung, int anweisungsFristMs)
    : m_adresse(std::move(adresse)), m_verbindung(verbindung), m_anweisungsFristMs(anweisungsFristMs) {}

ZentraleServer::~ZentraleServer() {
    trennen();
    if (QSqlDatabase::contains(m_verbindung))
        QSqlDatabase::removeDatabase(m_verbindung);
}

QString ZentraleServer::tabellenSql() {
    return QString::fromUtf8(kZentraleSql);
}

ZentraleZustand::Lage ZentraleServer::einordnen(const QString& sqlState, const QString& text, bool beimVerbinden) {
    using Lage = ZentraleZustand::Lage;
    if (sqlState == QStringLiteral("57014"))
        return Lage::ZuLangsam;
    if (sqlState.startsWith(QStringLiteral("28")))
        return Lage::AnmeldungAbgelehnt;
    // Shut down, starting up, or the connection itself failed: try again later.
    if (sqlState.startsWith(QStringLiteral("08")) || sqlState.startsWith(QStringLiteral("57P")))
        return Lage::NichtErreichbar;
    if (!sqlState.isEmpty())
        return beimVerbinden ? Lage::AnmeldungAbgelehnt : Lage::SchreibenAbgelehnt;
    // The driver reports a failed connection without a state; the server's words tell the refusals.
    if (beimVerbinden) {
        const QString t = text.toLower();
        for (const char* wort : {"password", "passwort", "authentication", "authentifizierung", "pg_hba.conf",
                                 "does not exist", "existiert nicht", "permission denied", "keine berechtigung"})
            if (t.contains(QLatin1String(wort)))
                return Lage::AnmeldungAbgelehnt;
        if (t.contains(QLatin1String("invalid connection option")) || t.contains(QLatin1String("ungültige")) ||
            t.contains(QLatin1String("invalid")))
            return Lage::FalschEingerichtet;
    }
    return Lage::NichtErreichbar;
}

ZentraleServer::Fehler ZentraleServer::fehlerAus(const QSqlError& e, bool beimVerbinden) const {
    const QString text = m_adresse.ohnePasswort(e.text().simplified());
    return {einordnen(e.nativeErrorCode(), text, beimVerbinden), text};
}

bool ZentraleServer::verbinden(Fehler* fehler) {
    if (!QSqlDatabase::isDriverAvailable(kTreiber)) {
        *fehler = {ZentraleZustand::Lage::FalschEingerichtet,
                   QStringLiteral("Der Datenbanktreiber QPSQL fehlt (Paket libqt6sql6-psql).")};
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_verbindung) ? QSqlDatabase::database(m_verbindung, false)
                                                           : QSqlDatabase::addDatabase(kTreiber, m_verbindung);
    QStringList optionen;
    auto option = [&optionen](const QString& k, const QString& v) {
        QString wert = v;
        wert.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        optionen << QStringLiteral("%1='%2'").arg(k, wert);
    };
    for (const auto& [k, v] : m_adresse.parameter()) {
        // The driver joins its options with ";" as separator, so a value holding one cannot be passed on.
        if (v.contains(u';')) {
            *fehler = {
                ZentraleZustand::Lage::FalschEingerichtet,
                QStringLiteral("Der Wert von „%1“ enthält ein „;“, das der Treiber nicht weitergeben kann.").arg(k)};
            return false;
        }
    }
    db.setHostName(m_adresse.wert(QStringLiteral("host")));
    db.setDatabaseName(m_adresse.wert(QStringLiteral("dbname")));
    db.setUserName(m_adresse.wert(QStringLiteral("user")));
    // Empty: libpq looks in the password file and PGPASSWORD, as every client of the server does.
    db.setPassword(m_adresse.wert(QStringLiteral("password")));
    const QStringList eigene{QStringLiteral("host"), QStringLiteral("dbname"), QStringLiteral("user"),
                             QStringLiteral("password")};
    for (const auto& [k, v] : m_adresse.parameter())
        if (!eigene.contains(k))
            option(k, v);
    for (const auto& [k, v] : kVorgaben)
        if (m_adresse.wert(k).isEmpty())
            option(k, v);
    db.setConnectOptions(optionen.join(u';'));
    if (!db.open()) {
        *fehler = fehlerAus(db.lastError(), true);
        db.close();
        return false;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SET statement_timeout = %1").arg(m_anweisungsFristMs))) {
        *fehler = fehlerAus(query.lastError(), false);
        query = QSqlQuery();
        db.close();
        return false;
    }
    return true;
}

bool ZentraleServer::bereit(Fehler* fehler) {
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    if (!db.isValid() || !db.isOpen()) {
        m_tabelleDa = false;
        if (!verbinden(fehler))
            return false;
        db = QSqlDatabase::database(m_verbindung, false);
    }
    if (m_tabelleDa)
        return true;
    QSqlQuery query(db);
    bool ok = query.exec(QStringLiteral("SELECT to_regclass('gewichte') IS NOT NULL")) && query.next();
    if (ok && !query.value(0).toBool())
        ok = query.exec(tabellenSql());
    if (!ok) {
        *fehler = fehlerAus(query.lastError(), false);
        query = QSqlQuery();
        trennen();
        return false;
    }
    m_tabelleDa = true;
    return true;
}

QString ZentraleServer::einfuegenSql(const QSqlDatabase& db, const QString& station,
                                     const QList<ZentralZeile>& zeilen) {
    const QString stationText = literal(db, station, QMetaType::QString);
    QString sql = QStringLiteral("INSERT INTO gewichte (station, datei, zeile, datum, zeitpunkt, zeitpunkt_abgeleitet, "
                                 "gewicht) VALUES ");
    sql.reserve(sql.size() + zeilen.size() * (stationText.size() + 140));
    const auto null = QStringLiteral("NULL");
    // Only values this code formatted itself go in unquoted; the station's name is quoted by the driver.
    QString letzteDatei;
    QString dateiText;
    bool erste = true;
    for (const ZentralZeile& z : zeilen) {
        if (z.datei != letzteDatei) {
            letzteDatei = z.datei;
            dateiText = u'\'' + QUuid::fromString(z.datei).toString(QUuid::WithoutBraces) + u'\'';
        }
        QString datum = z.datum.toString();
        // Datum as the store writes it goes in as it is; anything else (a row written by another program) is
        // parsed, or sent as no date.
        if (!istSpeicherform(datum)) {
            const QDateTime gelesen = datumAusSpeicherform(datum);
            datum = gelesen.isValid() ? gelesen.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
        }
        bool zahl = false;
        const double gewicht = z.gewicht.toDouble(&zahl);
        if (!erste)
            sql += u',';
        erste = false;
        sql += u'(';
        sql += stationText;
        sql += u',';
        sql += dateiText;
        sql += u',';
        sql += QString::number(z.zeile);
        sql += u',';
        sql += datum.isEmpty() ? null : u'\'' + datum + u'\'';
        sql += u',';
        if (z.utcMs) {
            // The server turns the epoch milliseconds into its instant: no time-zone work here per row.
            sql += QStringLiteral("to_timestamp(%1::float8/1000)").arg(*z.utcMs);
            sql += QStringLiteral(",false,");
        } else {
            // Recorded before the central store: the local wall time in this computer's zone.
            const QDateTime lokal = datum.isEmpty() ? QDateTime() : datumAusSpeicherform(datum);
            sql += lokal.isValid() ? u'\'' + lokal.toUTC().toString(Qt::ISODateWithMs) + u'\'' : null;
            sql += QStringLiteral(",true,");
        }
        sql += zahl && !z.gewicht.isNull() && std::isfinite(gewicht) ? QString::number(gewicht, 'g', 17) : null;
        sql += u')';
    }
    sql += QStringLiteral(" ON CONFLICT DO NOTHING");
    return sql;
}

bool ZentraleServer::senden(const QString& station, const QList<ZentralZeile>& zeilen, Fehler* fehler) {
    if (zeilen.isEmpty())
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    QSqlQuery query(db);
    // One statement: the server commits all rows of the batch or none.
    if (query.exec(einfuegenSql(db, station, zeilen)))
        return true;
    *fehler = fehlerAus(query.lastError(), false);
    query = QSqlQuery();
    trennen();
    return false;
}

void ZentraleServer::trennen() {
    m_tabelleDa = false;
    if (QSqlDatabase::contains(m_verbindung)) {
        QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
        if (db.isOpen())
            db.close();
    }
}

} // namespace recording
