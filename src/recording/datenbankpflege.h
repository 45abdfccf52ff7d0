#pragma once

#include "datenort.h"
#include "systemuhr.h"

#include <QString>
#include <functional>

namespace recording {

class GewichteListe;
class Nachlass;
class Uhr;
class WeightStore;

// Keeps the working database in order: makes it from the template when it is missing and empties it by
// replacing it with a fresh copy of the template, looked for anew each time. The file replaced goes into the
// Papierkorb beside it, from where it can be put back. A failure is described in fehler() and the program goes
// on with both data sources on zel.mdb again.
class Datenbankpflege {
public:
    static const QString kDatenbank;

    // What the last emptying or putting back laid into the Papierkorb: the file, empty when the replaced
    // zel.mdb held no weights (there was nothing to keep), and how many weights it held.
    struct Abgelegt {
        QString datei;
        qint64 zeilen = 0;
    };

    Datenbankpflege(DatenOrt ort, WeightStore& store, GewichteListe& liste);
    Datenbankpflege(const Datenbankpflege&) = delete;
    Datenbankpflege& operator=(const Datenbankpflege&) = delete;

    // Start-up: a missing zel.mdb is copied from the template; an existing one is left as it is.
    bool startpruefung();
    // Start-up: both data sources on zel.mdb, under the name it was found with.
    bool datenquellenSetzen();
    // Replaces zel.mdb by the template and keeps the old file in the Papierkorb. A crash at any moment leaves
    // the old or the new file, never a mix.
    bool leeren();
    // Puts the file `aufgehoben` from the Papierkorb back in place of zel.mdb; zel.mdb, with whatever was
    // recorded since the emptying, goes into the Papierkorb in its turn.
    bool zuruecklegen(const QString& aufgehoben);
    const Abgelegt& abgelegt() const { return m_abgelegt; }

    // With the central store configured: what the old file leaves to the new one at "&Löschen".
    void setNachlass(Nachlass* nachlass) { m_nachlass = nachlass; }
    // The clock that names the files in the Papierkorb; the computer's own unless a test sets one.
    void setUhr(const Uhr& uhr) { m_uhr = &uhr; }

    QString datenbankPfad() const { return m_mdb; }
    const DatenOrt& ort() const { return m_ort; }
    QString papierkorbOrdner() const;
    WeightStore& store() { return m_store; }
    GewichteListe& liste() { return m_liste; }
    QString fehler() const { return m_fehler; }

private:
    QString gefundenerPfad() const;
    // The template's bytes; an empty path means none was found.
    bool vorlageLesen(const QString& vorlage, QByteArray* inhalt);
    bool tempSchreiben(const QString& temp, const QByteArray& inhalt);
    // The template written beside `ziel` and put in its place.
    bool ersetzen(const QString& ziel, const QByteArray& inhalt, bool aufheben);
    // The prepared file `neu` in place of `ziel`, the old one into the Papierkorb when `aufheben` and it
    // holds weights. `neu` itself is left where it is on failure.
    bool einsetzen(const QString& ziel, const QString& neu, bool aufheben);
    bool altesAbschliessen(const QString& ziel, const QString& neu, qint64* zeilen);
    // Lets both data sources go, runs the change and puts them on zel.mdb again, whatever happened.
    bool ohneDatenquellen(const std::function<bool()>& aenderung);

    DatenOrt m_ort;
    WeightStore& m_store;
    GewichteListe& m_liste;
    Nachlass* m_nachlass = nullptr;
    SystemUhr m_systemUhr;
    const Uhr* m_uhr = &m_systemUhr;
    QString m_mdb;
    QString m_fehler;
    Abgelegt m_abgelegt;
};

} // namespace recording
