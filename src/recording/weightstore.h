#pragma once

#include "buchung.h"
#include "datenquelle.h"
#include "speicher.h"

#include <QSqlQuery>
#include <optional>

namespace recording {

// The weight store on SQLite through the data source `dattemp`. The insert is prepared once per opening,
// so a row costs no re-reading of the table however large it has grown.
class WeightStore final : public Speicher {
public:
    explicit WeightStore(const QString& verbindung = QStringLiteral("dattemp"));
    ~WeightStore() override;

    // Opens the working database; on failure fehler() says why and speichern tries again by itself.
    bool oeffnen(const QString& pfad);
    void schliessen();
    bool offen() const { return m_insert.has_value(); }
    QString pfad() const { return m_quelle.pfad(); }
    Datenquelle& quelle() { return m_quelle; }

    // Books written with each row, in its transaction (the central store's); none for nullptr. Takes effect
    // at the next opening.
    void setBuchung(Buchung* buchung) { m_buchung = buchung; }

    bool speichern(const QString& gewichtText, const QDateTime& jetzt) override;
    QString fehler() const override { return m_fehler; }

private:
    bool insertVorbereiten();
    bool mitBuchungSpeichern(const QDateTime& jetzt);
    QString letzterFehler() const;

    Datenquelle m_quelle;
    std::optional<QSqlQuery> m_insert;
    Buchung* m_buchung = nullptr;
    bool m_buchungBereit = false;
    QString m_buchungsFehler; // told once, not at every row
    QString m_fehler;
};

} // namespace recording
