#include "datenbankpflege.h"

#include "datenquelle.h"
#include "fileexist.h"
#include "gewichteliste.h"
#include "nachlass.h"
#include "papierkorb.h"
#include "platform/dateiwechsel.h"
#include "weightstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

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

QString nichtErsetzt(const QString& pfad, const QString& grund) {
    return QStringLiteral("Die Datenbank „%1“ kann nicht ersetzt werden: %2").arg(zeige(pfad), grund);
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
    bool geschrieben =
        neu.open(QIODevice::WriteOnly | QIODevice::Truncate) && neu.write(inhalt) == inhalt.size() && neu.flush();
    QString grund = neu.errorString();
    neu.close();
    platform::Dateiwechsel wechsel;
    if (geschrieben && !wechsel.sichern(temp)) {
        geschrieben = false;
        grund = wechsel.fehler();
    }
    if (!geschrieben) {
        m_fehler = nichtErsetzt(temp.chopped(4), grund);
        wechsel.entfernen(temp);
    }
    return geschrieben;
}

// Everything committed moves into the old file itself, so that leaving the -wal behind loses nothing
// should the program stop before the new file is in place; what the old file must hand on goes into the
// new one before the new one takes its place.
bool Datenbankpflege::altesAbschliessen(const QString& ziel, const QString& neu, qint64* zeilen) {
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
    } else if (!query.exec(QStringLiteral("SELECT count(*) FROM Gewichte")) || !query.next()) {
        frei = false;
        m_fehler = QStringLiteral("Die Datenbank „%1“ kann nicht gelesen werden: %2")
                       .arg(zeige(ziel), query.lastError().text());
    } else {
        *zeilen = query.value(0).toLongLong();
    }
    if (frei && m_nachlass) {
        query.prepare(QStringLiteral("ATTACH DATABASE ? AS neu"));
        query.addBindValue(QFileInfo(neu).absoluteFilePath());
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

bool Datenbankpflege::ersetzen(const QString& ziel, const QByteArray& inhalt, bool aufheben) {
    // Written beside the old file under a temporary name, flushed to disk and renamed over it in one step.
    const QString temp = ziel + QStringLiteral(".tmp");
    if (!tempSchreiben(temp, inhalt))
        return false;
    if (einsetzen(ziel, temp, aufheben))
        return true;
    platform::Dateiwechsel wechsel;
    for (const QString& endung : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        wechsel.entfernen(temp + endung);
    return false;
}

bool Datenbankpflege::einsetzen(const QString& ziel, const QString& neu, bool aufheben) {
    m_abgelegt = Abgelegt();
    // A connection of this process still on the file would go on writing into the old one after the rename.
    if (Datenquelle::inBenutzung(ziel)) {
        m_fehler = inBenutzung(ziel);
        return false;
    }
    const bool hauptdateiDa = QFileInfo(ziel).isFile();
    qint64 zeilen = 0;
    if (hauptdateiDa && !altesAbschliessen(ziel, neu, &zeilen))
        return false;
    // Closing the last connection removes -wal and -shm. A -wal still there belongs to another program that
    // has the file open; its journal must not meet the new file, and its rows are not ours to drop.
    const QString wal = ziel + QStringLiteral("-wal");
    if ((hauptdateiDa && QFileInfo::exists(wal)) || QFileInfo::exists(neu + QStringLiteral("-wal"))) {
        m_fehler = inBenutzung(ziel);
        return false;
    }
    platform::Dateiwechsel wechsel;
    for (const QString& rest : {wal, ziel + QStringLiteral("-shm"), neu + QStringLiteral("-shm")}) {
        if (!wechsel.entfernen(rest)) {
            m_fehler = nichtErsetzt(
                ziel, QStringLiteral("„%1“ lässt sich nicht entfernen: %2").arg(zeige(rest), wechsel.fehler()));
            return false;
        }
    }
    // What was handed on went in through SQLite; it reaches the disk before the name does.
    if (m_nachlass && hauptdateiDa && !wechsel.sichern(neu)) {
        m_fehler = nichtErsetzt(ziel, wechsel.fehler());
        return false;
    }
    // The old file is copied into the Papierkorb before the new one takes its name: at every moment zel.mdb is
    // one whole file, and the old rows are in the Papierkorb before they leave zel.mdb.
    const Papierkorb korb(QFileInfo(ziel).absolutePath());
    QString abgelegt;
    if (aufheben && zeilen > 0) {
        QString grund;
        abgelegt = korb.hineinlegen(ziel, m_uhr->jetzt(), wechsel, &grund);
        if (abgelegt.isEmpty()) {
            m_fehler = QStringLiteral("Die Datenbank „%1“ kann nicht in den Papierkorb gelegt werden: %2")
                           .arg(zeige(ziel), grund);
            return false;
        }
    }
    if (!wechsel.umbenennen(neu, ziel)) {
        m_fehler = nichtErsetzt(ziel, wechsel.fehler());
        if (!abgelegt.isEmpty())
            wechsel.entfernen(abgelegt);
        return false;
    }
    wechsel.ordnerSichern(QFileInfo(ziel).absolutePath());
    if (!abgelegt.isEmpty()) {
        wechsel.ordnerSichern(korb.ordner());
        korb.aufraeumen(wechsel);
    }
    m_abgelegt = Abgelegt{abgelegt, zeilen};
    return true;
}

bool Datenbankpflege::ohneDatenquellen(const std::function<bool()>& aenderung) {
    // The sender to the central server stays off the file until both data sources are on the new one.
    if (m_nachlass)
        m_nachlass->sperren();
    const auto freigeben = qScopeGuard([this] {
        if (m_nachlass)
            m_nachlass->freigeben();
    });
    const bool listeZeigen = m_liste.abgefragt();
    m_liste.schliessen();
    m_store.schliessen();
    const bool geaendert = aenderung();
    // Whatever happened, both data sources are on zel.mdb again.
    const QString aenderungsFehler = m_fehler;
    const bool offen = datenquellenSetzen();
    if (listeZeigen)
        m_liste.abfragen();
    if (!geaendert)
        m_fehler = aenderungsFehler;
    return geaendert && offen;
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
    if (!ersetzen(m_mdb, vorlage, false)) {
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
    m_mdb = gefundenerPfad();
    // Looked for again each time: a template put in place after start-up serves from now on.
    QByteArray vorlage;
    if (!vorlageLesen(m_ort.vorlageSuchen(), &vorlage)) {
        m_fehler += QStringLiteral(" Es wurde nichts gelöscht.");
        return false;
    }
    // Whether zel.mdb is a database of ours is learnt by the check connection inside einsetzen(), after both
    // data sources have let go: a look at its bytes now would cost them their locks.
    return ohneDatenquellen([&] { return ersetzen(m_mdb, vorlage, true); });
}

bool Datenbankpflege::zuruecklegen(const QString& aufgehoben) {
    m_fehler.clear();
    m_mdb = gefundenerPfad();
    if (!QFileInfo(aufgehoben).isFile()) {
        m_fehler = QStringLiteral("Die gelöschte Datenbank „%1“ liegt nicht mehr im Papierkorb. Es wurde nichts "
                                  "zurückgelegt.")
                       .arg(zeige(aufgehoben));
        return false;
    }
    // No connection of ours holds a file in the Papierkorb, so its bytes may be looked at.
    if (const QString art = Datenquelle::fremdeDateiArt(aufgehoben); !art.isEmpty()) {
        m_fehler = QStringLiteral("„%1“ ist keine Datenbank dieses Programms, sondern %2. Es wurde nichts "
                                  "zurückgelegt.")
                       .arg(zeige(aufgehoben), art);
        return false;
    }
    return ohneDatenquellen([&] { return einsetzen(m_mdb, aufgehoben, true); });
}

QString Datenbankpflege::papierkorbOrdner() const {
    return Papierkorb(m_ort.ordner).ordner();
}

} // namespace recording
