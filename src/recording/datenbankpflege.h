#pragma once

#include "datenort.h"

#include <QString>

namespace recording {

class GewichteListe;
class Nachlass;
class WeightStore;

// Keeps the working database in order: makes it from the template when it is missing and empties it by
// replacing it with a fresh copy of the template, looked for anew each time. A failure is described in
// fehler() and the program goes on with both data sources on zel.mdb again.
class Datenbankpflege {
public:
    static const QString kDatenbank;

    Datenbankpflege(DatenOrt ort, WeightStore& store, GewichteListe& liste);
    Datenbankpflege(const Datenbankpflege&) = delete;
    Datenbankpflege& operator=(const Datenbankpflege&) = delete;

    // Start-up: a missing zel.mdb is copied from the template; an existing one is left as it is.
    bool startpruefung();
    // Start-up: both data sources on zel.mdb, under the name it was found with.
    bool datenquellenSetzen();
    // Replaces zel.mdb by the template. A crash at any moment leaves the old or the new file, never a mix.
    bool leeren();

    // With the central store configured: what the old file leaves to the new one at "&Löschen".
    void setNachlass(Nachlass* nachlass) { m_nachlass = nachlass; }

    QString datenbankPfad() const { return m_mdb; }
    const DatenOrt& ort() const { return m_ort; }
    WeightStore& store() { return m_store; }
    GewichteListe& liste() { return m_liste; }
    QString fehler() const { return m_fehler; }

private:
    QString gefundenerPfad() const;
    // The template's bytes; an empty path means none was found.
    bool vorlageLesen(const QString& vorlage, QByteArray* inhalt);
    bool ersetzen(const QString& ziel, const QByteArray& inhalt);
    bool tempSchreiben(const QString& temp, const QByteArray& inhalt);
    bool altesAbschliessen(const QString& ziel, const QString& temp);

    DatenOrt m_ort;
    WeightStore& m_store;
    GewichteListe& m_liste;
    Nachlass* m_nachlass = nullptr;
    QString m_mdb;
    QString m_fehler;
};

} // namespace recording
