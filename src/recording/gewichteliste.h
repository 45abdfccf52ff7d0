#pragma once

#include "datenquelle.h"

#include <QLocale>
#include <QSqlQueryModel>

namespace recording {

// The record list behind `grdgewichte`, read through the data source `datgewichte`. Rows come from the
// query as the view scrolls (the model fetches them in chunks), so even a very long table opens at once.
class GewichteListe final : public QSqlQueryModel {
    Q_OBJECT
public:
    static const QString kAbfrage;

    explicit GewichteListe(const QLocale& locale = QLocale::system(),
                           const QString& verbindung = QStringLiteral("datgewichte"), QObject* parent = nullptr);
    ~GewichteListe() override;

    void setPfad(const QString& pfad) { m_pfad = pfad; }
    QString pfad() const { return m_pfad; }
    // Runs the list's query anew on the working database; on failure the list is empty and fehler() says why.
    bool abfragen();
    // Lets go of the file (for the database to be replaced); the list stays empty until abfragen().
    void schliessen();
    // Whether the query is in place, so that emptying the database shows the empty table again.
    bool abgefragt() const { return m_abgefragt; }
    QString fehler() const { return m_fehler; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The cell texts: the date as the locale's short date followed by the time; the weight as "###,##0.0"
    // with the locale's separators.
    static QString datumText(const QVariant& gespeichert, const QLocale& locale);
    static QString gewichtText(double wert, const QLocale& locale);

private:
    QLocale m_locale;
    Datenquelle m_quelle;
    QString m_pfad;
    QString m_fehler;
    bool m_abgefragt = false;
};

} // namespace recording
