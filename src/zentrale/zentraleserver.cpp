#include "zentraleserver.h"

#include "zentraleangaben.h"
#include "zentralesql.h"
#include "zentralwerte.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace zentrale {

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

QString werteListe(const QSqlDatabase& db, const QString& station, const QList<ZentralWerte>& zeilen) {
    const QString stationText = textLiteral(db, stationFuerServer(station));
    QString liste;
    liste.reserve(zeilen.size() * (stationText.size() + 160));
    for (const ZentralWerte& w : zeilen) {
        if (!liste.isEmpty())
            liste += u',';
        liste += w.tupel(db, stationText);
    }
    return liste;
}

const auto kSpalten = QStringLiteral("station, datei, zeile, datum, zeitpunkt, zeitpunkt_abgeleitet, gewicht");

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
    // The driver reports a failed connection without a state; the server's words tell the refusals. What they
    // quote is the operator's own (a host's name, a user's), so "db1.invalid" tells nothing of the fault.
    if (beimVerbinden) {
        static const QRegularExpression zitat(QStringLiteral("\"[^\"]*\"|»[^«]*«|„[^“]*“"));
        const QString t = QString(text).remove(zitat).toLower();
        // libpq's and OpenSSL's words for a server certificate that the given CA does not vouch for, or that
        // names another host.
        for (const char* wort : {"certificate verify failed", "root certificate file", "does not match host name",
                                 "server certificate for"})
            if (t.contains(QLatin1String(wort)))
                return Lage::ZertifikatAbgelehnt;
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
    // Judged on the driver's own words, shown without the password.
    const QString roh = e.text().simplified();
    return {einordnen(e.nativeErrorCode(), roh, beimVerbinden), m_adresse.ohnePasswort(roh)};
}

bool ZentraleServer::verbinden(Fehler* fehler) {
    // Which file is missing only the platform layer can tell, and the sender and the check ask it first; this
    // is what is left when nobody asked or the plugin loads there and not here.
    if (!QSqlDatabase::isDriverAvailable(kTreiber)) {
        *fehler = {ZentraleZustand::Lage::TreiberFehlt, QStringLiteral("Qt-Plugin QPSQL (Ordner sqldrivers)")};
        return false;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_verbindung) ? QSqlDatabase::database(m_verbindung, false)
                                                           : QSqlDatabase::addDatabase(kTreiber, m_verbindung);
    // A plugin that is listed but does not load leaves Qt's stand-in driver, which fails every open alike.
    if (!db.isValid()) {
        *fehler = {ZentraleZustand::Lage::TreiberFehlt,
                   QStringLiteral("Qt-Plugin QPSQL lässt sich nicht laden (eine Bibliothek, die es braucht, fehlt)")};
        return false;
    }
    QStringList optionen;
    // Quoted as libpq's connection strings are, which the driver hands its options on as.
    auto option = [&optionen](const QString& k, const QString& v) { optionen << k + u'=' + ZentraleAngaben::wert(v); };
    const QStringList eigene{QStringLiteral("host"), QStringLiteral("dbname"), QStringLiteral("user"),
                             QStringLiteral("password")};
    for (const auto& [k, v] : m_adresse.parameter()) {
        // The driver joins its options with ";" as separator, so an option's value holding one cannot be passed
        // on; host, database, user and password go their own ways.
        if (!eigene.contains(k) && v.contains(u';')) {
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
    // Without client_min_messages the server's notices ("already exists, skipping") would reach stderr.
    if (!query.exec(QStringLiteral("SET statement_timeout = %1").arg(m_anweisungsFristMs)) ||
        !query.exec(QStringLiteral("SET client_min_messages = warning"))) {
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
    }
    if (m_tabelleDa)
        return true;
    if (!tabelleEinrichten(fehler)) {
        trennen();
        return false;
    }
    m_tabelleDa = true;
    return true;
}

bool ZentraleServer::tabelleEinrichten(Fehler* fehler) {
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    QSqlQuery query(db);
    const auto scheitern = [&] {
        *fehler = fehlerAus(query.lastError(), false);
        return false;
    };
    // pg_control_system() is open to every role; the address as written is not what identifies a server.
    if (!query.exec(QStringLiteral("SELECT system_identifier::text || '/' || current_database(), "
                                   "to_regclass('gewichte') IS NOT NULL FROM pg_control_system()")) ||
        !query.next())
        return scheitern();
    m_kennung = query.value(0).toString();
    if (!query.value(1).toBool()) {
        if (!query.exec(tabellenSql()))
            return scheitern();
        m_tabelleAngelegt = true;
    }
    // A table made by an earlier version lacks the two columns that tell refused values and rows that came
    // again with other values. Without the right to add them the rows still go, only without the note.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM pg_attribute WHERE attrelid = 'gewichte'::regclass "
                                   "AND attname IN ('ungueltig', 'abweichung_von') AND NOT attisdropped")) ||
        !query.next())
        return scheitern();
    m_mitVermerk = query.value(0).toInt() == 2;
    if (!m_mitVermerk) {
        m_mitVermerk = query.exec(QStringLiteral("ALTER TABLE gewichte ADD COLUMN IF NOT EXISTS ungueltig text, "
                                                 "ADD COLUMN IF NOT EXISTS abweichung_von uuid"));
        if (!m_mitVermerk && !m_vermerkGemeldet) {
            m_vermerkGemeldet = true;
            qWarning("Gramura: Zentrale %s: der Tabelle gewichte fehlen die Spalten ungueltig und abweichung_von "
                     "(zentrale.sql erneut ausführen): %s",
                     qPrintable(m_adresse.anzeige()), qPrintable(fehlerAus(query.lastError(), false).text));
        }
    }
    return true;
}

QString ZentraleServer::einfuegenSql(const QSqlDatabase& db, const QString& station, const QList<ZentralWerte>& zeilen,
                                     bool mitVermerk) {
    const QString spalten = mitVermerk ? kSpalten + QStringLiteral(", ungueltig") : kSpalten;
    return QStringLiteral("INSERT INTO gewichte (%1) SELECT %1 FROM (VALUES %2) AS e(%3, ungueltig) "
                          "ON CONFLICT DO NOTHING RETURNING datei::text, zeile")
        .arg(spalten, werteListe(db, station, zeilen), kSpalten);
}

QString ZentraleServer::abweichendeSql(const QSqlDatabase& db, const QString& station,
                                       const QList<ZentralWerte>& zeilen, bool mitVermerk) {
    // The derived identity depends on nothing but the row, so the same row sent again is dropped as a
    // duplicate of its derived copy. Instants go in as epoch seconds: the text of a timestamp depends on
    // the session's DateStyle and TimeZone.
    const QString abgeleitet = QStringLiteral(
        "md5(concat_ws('/', e.datei, e.zeile, extract(epoch from e.datum), extract(epoch from e.zeitpunkt), "
        "e.gewicht::text))::uuid");
    const QString vermerk = mitVermerk ? QStringLiteral(", ungueltig, abweichung_von") : QString();
    const QString vermerkWerte = mitVermerk ? QStringLiteral(", e.ungueltig, e.datei") : QString();
    return QStringLiteral(
               "INSERT INTO gewichte (%1%2) SELECT e.station, %3, e.zeile, e.datum, e.zeitpunkt, "
               "e.zeitpunkt_abgeleitet, e.gewicht%4 FROM (VALUES %5) AS e(%1, ungueltig) "
               "WHERE NOT EXISTS (SELECT 1 FROM gewichte g WHERE g.station = e.station AND g.datei = e.datei "
               "AND g.zeile = e.zeile AND g.datum IS NOT DISTINCT FROM e.datum "
               "AND g.zeitpunkt IS NOT DISTINCT FROM e.zeitpunkt AND g.gewicht IS NOT DISTINCT FROM e.gewicht) "
               "ON CONFLICT DO NOTHING")
        .arg(kSpalten, vermerk, abgeleitet, vermerkWerte, werteListe(db, station, zeilen));
}

bool ZentraleServer::senden(const QString& station, const QList<ZentralZeile>& zeilen, Ergebnis* ergebnis,
                            Fehler* fehler) {
    *ergebnis = Ergebnis();
    if (zeilen.isEmpty())
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    QSqlQuery query(db);
    const auto scheitern = [&](const QSqlError& e) {
        *fehler = fehlerAus(e, false);
        query = QSqlQuery();
        db.rollback();
        trennen();
        return false;
    };
    QList<ZentralWerte> werte;
    werte.reserve(zeilen.size());
    for (const ZentralZeile& z : zeilen)
        werte << ZentralWerte::aus(z);
    // One transaction: the server commits all rows of the batch or none.
    if (!db.transaction())
        return scheitern(db.lastError());
    if (!query.exec(einfuegenSql(db, station, werte, m_mitVermerk)))
        return scheitern(query.lastError());
    QSet<QPair<QString, qint64>> neu;
    while (query.next())
        neu.insert({query.value(0).toString(), query.value(1).toLongLong()});
    // What the server did not take as new it already held: the same row sent again, or another with its
    // identity. The second statement sees what the first committed meanwhile in other sessions too.
    QList<ZentralWerte> gehabt;
    for (const ZentralWerte& w : werte)
        if (!neu.contains({w.datei, w.zeile}))
            gehabt << w;
    if (!gehabt.isEmpty()) {
        if (!query.exec(abweichendeSql(db, station, gehabt, m_mitVermerk)))
            return scheitern(query.lastError());
        ergebnis->abweichend = query.numRowsAffected();
    }
    query = QSqlQuery();
    if (!db.commit())
        return scheitern(db.lastError());
    ergebnis->ungueltig = static_cast<int>(
        std::count_if(werte.cbegin(), werte.cend(), [](const ZentralWerte& w) { return !w.ungueltig.isEmpty(); }));
    return true;
}

void ZentraleServer::trennen() {
    m_tabelleDa = false;
    if (QSqlDatabase::contains(m_verbindung)) {
        QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
        if (db.isOpen())
            db.close();
    }
}

} // namespace zentrale
