#include "datenbankpflege.h"

#include "datenquelle.h"
#include "fileexist.h"
#include "gewichteliste.h"
#include "nachlass.h"
#include "platform/dateisync.h"
#include "weightstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>

namespace recording {

namespace {

QString zeige(const QString& pfad) {
    return QDir::toNativeSeparators(pfad);
}

// „A“, „B“ und „C“: every folder by its full name, so the operator can look there.
QString ordnerListe(const QStringList& ordner) {
    if (ordner.isEmpty())
        return QStringLiteral("keinem Ordner");
    QStringList teile;
    for (const QString& o : ordner)
        teile << QStringLiteral("„%1“").arg(zeige(o));
    const QString letzter = teile.takeLast();
    return teile.isEmpty() ? letzter : teile.join(QStringLiteral(", ")) + QStringLiteral(" und ") + letzter;
}

QString inBenutzung(const QString& pfad) {
    return QStringLiteral("Die Datenbank „%1“ wird gerade von einem anderen Programm benutzt und wurde nicht geleert.")
        .arg(zeige(pfad));
}

} // namespace

const QString Datenbankpflege::kDatenbank = QStringLiteral("zel.mdb");

Datenbankpflege::Datenbankpflege(DatenOrt ort, WeightStore& store, GewichteListe& liste)
    : m_ort(std::move(ort)), m_store(store), m_liste(liste), m_mdb(QDir(m_ort.ordner).filePath(kDatenbank)) {}

QString Datenbankpflege::gefundenerPfad() const {
    const auto name = fileexist(m_ort.ordner, kDatenbank);
    return QDir(m_ort.ordner).filePath(name ? *name : kDatenbank);
}

bool Datenbankpflege::vorlageLesen(const QString& vorlage, QByteArray* inhalt) {
    if (vorlage.isEmpty()) {
        m_fehler = QStringLiteral("Die Vorlage „%1“ wurde nicht gefunden (gesucht in %2), die Datenbank „%3“ kann "
                                  "nicht daraus angelegt werden.")
                       .arg(DatenOrt::kVorlage, ordnerListe(m_ort.vorlageOrdner), zeige(m_mdb));
        return false;
    }
    QFile file(vorlage);
    if (!file.open(QIODevice::ReadOnly)) {
        m_fehler = QStringLiteral("Die Vorlage „%1“ kann nicht gelesen werden (%2), die Datenbank „%3“ kann nicht "
                                  "daraus angelegt werden.")
                       .arg(zeige(vorlage), file.errorString(), zeige(m_mdb));
        return false;
    }
    *inhalt = file.readAll();
    if (const QString art = Datenquelle::artDerBytes(*inhalt, inhalt->size()); !art.isEmpty()) {
        m_fehler = QStringLiteral("Die Vorlage „%1“ ist keine Datenbank dieses Programms, sondern %2.")
                       .arg(zeige(vorlage), art);
        return false;
    }
    return true;
}

bool Datenbankpflege::tempSchreiben(const QString& temp, const QByteArray& inhalt) {
    QFile neu(temp);
    const bool geschrieben = neu.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                             neu.write(inhalt) == inhalt.size() && platform::dateiSichern(neu);
    if (!geschrieben) {
        m_fehler = QStringLiteral("Die Datenbank „%1“ kann nicht ersetzt werden: %2")
                       .arg(zeige(temp.chopped(4)), neu.errorString());
        neu.close();
        QFile::remove(temp);
    }
    return geschrieben;
}

// Everything committed moves into the old file itself, so that leaving the -wal behind loses nothing
// should the program stop before the new file is in place; what the old file must hand on goes into the
// new one before the new one takes its place.
bool Datenbankpflege::altesAbschliessen(const QString& ziel, const QString& temp) {
    Datenquelle pruefung(QStringLiteral("zel_pflege"));
    if (!pruefung.oeffnen(ziel)) {
        m_fehler = pruefung.fehler();
        return false;
    }
    QSqlDatabase db = pruefung.db();
    QSqlQuery query(db);
    bool frei =
        query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) && query.next() && query.value(0).toInt() == 0;
    if (!frei) {
        m_fehler = inBenutzung(ziel);
    } else if (m_nachlass) {
        query.prepare(QStringLiteral("ATTACH DATABASE ? AS neu"));
        query.addBindValue(QFileInfo(temp).absoluteFilePath());
        QString grund;
        frei = query.exec() && m_nachlass->uebertragen(db, &grund) &&
               query.exec(QStringLiteral("PRAGMA neu.wal_checkpoint(TRUNCATE)")) &&
               query.exec(QStringLiteral("DETACH DATABASE neu"));
        if (!frei)
            m_fehler = QStringLiteral("Die noch nicht an die Zentrale gesendeten Gewichte konnten nicht in die neue "
                                      "Datenbank übernommen werden: %1")
                           .arg(grund.isEmpty() ? query.lastError().text() : grund);
    }
    query = QSqlQuery();
    pruefung.schliessen();
    return frei;
}

bool Datenbankpflege::ersetzen(const QString& ziel, const QByteArray& inhalt) {
    // A connection of this process still on the file would go on writing into the old one after the rename.
    if (Datenquelle::inBenutzung(ziel)) {
        m_fehler = inBenutzung(ziel);
        return false;
    }
    // Written beside the old file under a temporary name, flushed to disk and renamed over it in one step.
    const QString temp = ziel + QStringLiteral(".tmp");
    if (!tempSchreiben(temp, inhalt))
        return false;
    const auto tempWeg = [&temp] {
        for (const QString& endung : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(temp + endung);
    };
    if (QFileInfo(ziel).isFile() && !altesAbschliessen(ziel, temp)) {
        tempWeg();
        return false;
    }
    // Closing the last connection removes -wal and -shm. A -wal still there belongs to another program that
    // has the file open; its journal must not meet the new file, and its rows are not ours to drop.
    const QString wal = ziel + QStringLiteral("-wal");
    const QString shm = ziel + QStringLiteral("-shm");
    const bool hauptdateiDa = QFileInfo(ziel).isFile();
    if ((hauptdateiDa && QFileInfo::exists(wal)) || (QFileInfo::exists(wal) && !QFile::remove(wal)) ||
        (QFileInfo::exists(shm) && !QFile::remove(shm)) || QFileInfo::exists(temp + QStringLiteral("-wal"))) {
        tempWeg();
        m_fehler = inBenutzung(ziel);
        return false;
    }
    // What was handed on went in through SQLite; it reaches the disk before the name does.
    if (m_nachlass && hauptdateiDa) {
        QFile geschrieben(temp);
        if (!geschrieben.open(QIODevice::ReadWrite) || !platform::dateiSichern(geschrieben)) {
            m_fehler = QStringLiteral("Die Datenbank „%1“ kann nicht ersetzt werden: %2")
                           .arg(zeige(ziel), geschrieben.errorString());
            geschrieben.close();
            tempWeg();
            return false;
        }
    }
    std::error_code fehlerCode;
    std::filesystem::rename(std::filesystem::path(temp.toStdU16String()), std::filesystem::path(ziel.toStdU16String()),
                            fehlerCode);
    if (fehlerCode) {
        tempWeg();
        m_fehler = QStringLiteral("Die Datenbank „%1“ kann nicht ersetzt werden: %2")
                       .arg(zeige(ziel), QString::fromLocal8Bit(fehlerCode.message()));
        return false;
    }
    QFile::remove(temp + QStringLiteral("-shm"));
    platform::ordnerSichern(QFileInfo(ziel).absolutePath());
    return true;
}

bool Datenbankpflege::startpruefung() {
    m_fehler.clear();
    if (fileexist(m_ort.ordner, kDatenbank)) {
        m_mdb = gefundenerPfad();
        return true;
    }
    m_mdb = QDir(m_ort.ordner).filePath(kDatenbank);
    const QString vorlagePfad = m_ort.vorlageSuchen();
    if (vorlagePfad.isEmpty()) {
        m_fehler = QStringLiteral("Weder die Datenbank „%1“ noch ihre Vorlage „%2“ wurden gefunden (die Vorlage wurde "
                                  "gesucht in %3). Das Programm läuft ohne Aufzeichnung weiter.")
                       .arg(zeige(m_mdb), DatenOrt::kVorlage, ordnerListe(m_ort.vorlageOrdner));
        return false;
    }
    QByteArray vorlage;
    if (!vorlageLesen(vorlagePfad, &vorlage)) {
        m_fehler += QStringLiteral(" Das Programm läuft ohne Aufzeichnung weiter.");
        return false;
    }
    if (!ersetzen(m_mdb, vorlage)) {
        m_fehler += QStringLiteral(" Das Programm läuft ohne Aufzeichnung weiter.");
        return false;
    }
    return true;
}

bool Datenbankpflege::datenquellenSetzen() {
    m_fehler.clear();
    m_liste.setPfad(m_mdb);
    if (!m_store.oeffnen(m_mdb)) {
        m_fehler = m_store.fehler();
        return false;
    }
    return true;
}

bool Datenbankpflege::leeren() {
    m_fehler.clear();
    // The sender to the central server stays off the file until both data sources are on the new one.
    if (m_nachlass)
        m_nachlass->sperren();
    const auto freigeben = qScopeGuard([this] {
        if (m_nachlass)
            m_nachlass->freigeben();
    });
    m_mdb = gefundenerPfad();
    // Looked for again each time: a template put in place after start-up serves from now on.
    QByteArray vorlage;
    if (!vorlageLesen(m_ort.vorlageSuchen(), &vorlage)) {
        m_fehler += QStringLiteral(" Es wurde nichts gelöscht.");
        return false;
    }
    // Whether zel.mdb is a database of ours is learnt by the check connection inside ersetzen(), after both
    // data sources have let go: a look at its bytes now would cost them their locks.
    const bool listeZeigen = m_liste.abgefragt();
    m_liste.schliessen();
    m_store.schliessen();
    const bool ersetzt = ersetzen(m_mdb, vorlage);
    // Whatever happened, both data sources are on zel.mdb again.
    const QString ersetzFehler = m_fehler;
    const bool offen = datenquellenSetzen();
    if (listeZeigen)
        m_liste.abfragen();
    if (!ersetzt)
        m_fehler = ersetzFehler;
    return ersetzt && offen;
}

} // namespace recording
