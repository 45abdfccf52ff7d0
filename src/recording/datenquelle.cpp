#include "datenquelle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace recording {

namespace {

// SQLite's result code for a file that is not a database.
const auto kKeineDatenbank = QStringLiteral("26");

QString anzeigePfad(const QString& pfad) {
    return QDir::toNativeSeparators(pfad);
}

// The same file under every name it may be given: resolved through links, without opening it.
QString dateiSchluessel(const QString& pfad) {
    const QFileInfo info(pfad);
    const QString kanonisch = info.canonicalFilePath();
    return kanonisch.isEmpty() ? info.absoluteFilePath() : kanonisch;
}

// The files the connections of this process hold open, with how many connections hold each. The sender to
// the central server has its connection on a thread of its own, so the register is shared under a lock.
QHash<QString, int>& offeneDateien() {
    static QHash<QString, int> dateien;
    return dateien;
}

QMutex& registerSperre() {
    static QMutex sperre;
    return sperre;
}

QString fremdeDateiMeldung(const QString& pfad, const QString& art) {
    return QStringLiteral("„%1“ ist keine Datenbank dieses Programms, sondern %2. Die Datei bleibt "
                          "unverändert; bitte umbenennen oder verschieben, damit wieder aufgezeichnet "
                          "werden kann.")
        .arg(anzeigePfad(pfad), art);
}

} // namespace

Datenquelle::Datenquelle(const QString& verbindung) : m_verbindung(verbindung) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_verbindung);
}

Datenquelle::~Datenquelle() {
    schliessen();
    QSqlDatabase::removeDatabase(m_verbindung);
}

bool Datenquelle::inBenutzung(const QString& pfad) {
    const QString schluessel = dateiSchluessel(pfad);
    const QMutexLocker lock(&registerSperre());
    return offeneDateien().value(schluessel) > 0;
}

QString Datenquelle::fremdeDateiArt(const QString& pfad) {
    Q_ASSERT(!inBenutzung(pfad));
    QFile file(pfad);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("eine Datei, die sich nicht lesen lässt (%1)").arg(file.errorString());
    return artDerBytes(file.read(32), file.size());
}

QString Datenquelle::artDerBytes(const QByteArray& kopf, qint64 groesse) {
    if (kopf.isEmpty() || kopf.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return {};
    if (kopf.mid(4, 15) == "Standard Jet DB" || kopf.mid(4, 15) == "Standard ACE DB")
        return QStringLiteral("eine Access-Datenbank einer früheren Installation");
    return QStringLiteral("eine Datei unbekannter Art (%1 Bytes)").arg(groesse);
}

bool Datenquelle::oeffnen(const QString& pfad) {
    return oeffnen(pfad, false);
}

bool Datenquelle::oeffnenZumLesen(const QString& pfad) {
    return oeffnen(pfad, true);
}

bool Datenquelle::oeffnen(const QString& pfad, bool nurLesen) {
    schliessen();
    m_pfad = pfad;
    m_fehler.clear();
    if (!QFileInfo(pfad).isFile()) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ fehlt.").arg(anzeigePfad(pfad));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    // mode=rw: SQLite refuses to create the file should it vanish between the check above and the open.
    QUrl url = QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath());
    url.setQuery(nurLesen ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ lässt sich nicht öffnen: %2")
                       .arg(anzeigePfad(pfad), db.lastError().text());
        return false;
    }
    // The first statement reads the file's header, so SQLite itself tells a file of another kind; it
    // writes nothing into such a file. WAL with full synchronous commits: a row reported stored survives
    // a crash or a power cut.
    QSqlQuery pragma(db);
    bool eingerichtet = nurLesen ? pragma.exec(QStringLiteral("select count(*) from sqlite_master"))
                                 : pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    const bool fremd = !eingerichtet && pragma.lastError().nativeErrorCode() == kKeineDatenbank;
    if (nurLesen) {
        pragma.finish();
    } else {
        eingerichtet = eingerichtet && pragma.exec(QStringLiteral("PRAGMA synchronous=FULL")) &&
                       pragma.exec(QStringLiteral("PRAGMA journal_size_limit=%1").arg(kWalGrenzeBytes));
    }
    if (!eingerichtet) {
        const QString grund = pragma.lastError().text();
        pragma = QSqlQuery();
        db.close();
        if (fremd) {
            // Described from its first bytes only when no other connection here holds it.
            const QString art = inBenutzung(pfad) ? QString() : fremdeDateiArt(pfad);
            m_fehler = fremdeDateiMeldung(pfad, art.isEmpty() ? QStringLiteral("eine Datei unbekannter Art") : art);
        } else {
            m_fehler =
                QStringLiteral("Die Datenbank „%1“ lässt sich nicht einrichten: %2").arg(anzeigePfad(pfad), grund);
        }
        return false;
    }
    m_angemeldet = dateiSchluessel(pfad);
    const QMutexLocker lock(&registerSperre());
    ++offeneDateien()[m_angemeldet];
    return true;
}

void Datenquelle::schliessen() {
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    if (db.isOpen())
        db.close();
    if (!m_angemeldet.isEmpty()) {
        const QMutexLocker lock(&registerSperre());
        auto& dateien = offeneDateien();
        if (--dateien[m_angemeldet] <= 0)
            dateien.remove(m_angemeldet);
        m_angemeldet.clear();
    }
}

bool Datenquelle::offen() const {
    return QSqlDatabase::database(m_verbindung, false).isOpen();
}

QSqlDatabase Datenquelle::db() const {
    return QSqlDatabase::database(m_verbindung, false);
}

} // namespace recording
