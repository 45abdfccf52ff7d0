#include "datenquelle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace recording {

namespace {

QString anzeigePfad(const QString& pfad) {
    return QDir::toNativeSeparators(pfad);
}

} // namespace

Datenquelle::Datenquelle(const QString& verbindung) : m_verbindung(verbindung) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_verbindung);
}

Datenquelle::~Datenquelle() {
    schliessen();
    QSqlDatabase::removeDatabase(m_verbindung);
}

QString Datenquelle::fremdeDateiArt(const QString& pfad) {
    QFile file(pfad);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("eine Datei, die sich nicht lesen lässt (%1)").arg(file.errorString());
    const QByteArray kopf = file.read(32);
    if (kopf.isEmpty() || kopf.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return {};
    if (kopf.mid(4, 15) == "Standard Jet DB" || kopf.mid(4, 15) == "Standard ACE DB")
        return QStringLiteral("eine Access-Datenbank einer früheren Installation");
    return QStringLiteral("eine Datei unbekannter Art (%1 Bytes)").arg(file.size());
}

bool Datenquelle::oeffnen(const QString& pfad) {
    schliessen();
    m_pfad = pfad;
    m_fehler.clear();
    if (!QFileInfo(pfad).isFile()) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ fehlt.").arg(anzeigePfad(pfad));
        return false;
    }
    if (const QString art = fremdeDateiArt(pfad); !art.isEmpty()) {
        m_fehler = QStringLiteral("„%1“ ist keine Datenbank dieses Programms, sondern %2. Die Datei bleibt "
                                  "unverändert; bitte umbenennen oder verschieben, damit wieder aufgezeichnet "
                                  "werden kann.")
                       .arg(anzeigePfad(pfad), art);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    // mode=rw: SQLite refuses to create the file should it vanish between the check above and the open.
    QUrl url = QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ lässt sich nicht öffnen: %2")
                       .arg(anzeigePfad(pfad), db.lastError().text());
        return false;
    }
    // WAL with full synchronous commits: a row reported stored survives a crash or a power cut.
    QSqlQuery pragma(db);
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !pragma.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ lässt sich nicht einrichten: %2")
                       .arg(anzeigePfad(pfad), pragma.lastError().text());
        pragma = QSqlQuery();
        db.close();
        return false;
    }
    return true;
}

void Datenquelle::schliessen() {
    QSqlDatabase db = QSqlDatabase::database(m_verbindung, false);
    if (db.isOpen())
        db.close();
}

bool Datenquelle::offen() const {
    return QSqlDatabase::database(m_verbindung, false).isOpen();
}

QSqlDatabase Datenquelle::db() const {
    return QSqlDatabase::database(m_verbindung, false);
}

} // namespace recording
