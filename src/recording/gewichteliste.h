#pragma once

#include "datenquelle.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QSqlRecord>
#include <QVector>

namespace recording {

// The record list behind `grdgewichte`, read through the data source `datgewichte`: every row of
// Gewichte, newest Datum first, rows of equal Datum newest stored first.
//
// The list pages through the table by key, one short query per page, and keeps no statement open between
// pages: an open statement would hold a read snapshot, and the -wal file could then never start over while
// the list is shown. Each query is limited to the rows present when the list was read (rowid up to the
// highest one then), so the list does not change while it is shown.
//
// Its length comes from the rowids, not from counting: rows are only ever appended (SQLite gives each the
// next rowid), and the program removes rows only by replacing the whole file, so the span of rowids is the
// number of rows. Should another program have deleted rows, the list learns the true end when it pages
// there. A page reached from a cached neighbour is exact; a page far from any cached one (the scroll bar
// dragged) starts at the row whose rowid lies that many rows below the newest, which is the row at that
// place as long as Datum grows with the rowid.
class GewichteListe final : public QAbstractTableModel {
    Q_OBJECT
public:
    static const QString kAbfrage;
    static constexpr int kSeitenZeilen = 64;
    static constexpr int kSeitenImSpeicher = 24;

    // The weights in the form of `locale`; by default the program's own, which is German whatever the computer's.
    explicit GewichteListe(const QLocale& locale = QLocale(), const QString& verbindung = QStringLiteral("datgewichte"),
                           QObject* parent = nullptr);
    ~GewichteListe() override;

    void setPfad(const QString& pfad) { m_pfad = pfad; }
    QString pfad() const { return m_pfad; }
    // Reads the list anew from the working database; on failure the list is empty and fehler() says why.
    bool abfragen();
    // Lets go of the file (for the database to be replaced); the list stays empty until abfragen().
    void schliessen();
    // Whether the list has been read, so that emptying the database shows the empty table again.
    bool abgefragt() const { return m_abgefragt; }
    QString fehler() const { return m_fehler; }
    // How many queries the list has run since it was made, for tests and figures.
    qint64 abfragenGesamt() const { return m_abfragenGesamt; }
    int seitenImSpeicher() const { return static_cast<int>(m_seiten.size()); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The cell texts: the date and time as "08.12.2026 14:03:07"; the weight as "###,##0.0" with the locale's
    // separators.
    static QString datumText(const QVariant& gespeichert);
    static QString gewichtText(double wert, const QLocale& locale);

private:
    // Where a row stands in the list's order.
    struct Schluessel {
        QVariant datum; // null for a row without Datum; those come last
        qint64 rowid = 0;
    };
    struct Zeile {
        QVector<QVariant> werte;
        Schluessel schluessel;
    };
    struct Seite {
        QVector<Zeile> zeilen;
        quint64 benutzt = 0;
    };
    enum class Richtung { Aelter, Neuer };

    const Zeile* zeile(int rang) const;
    const Seite* seite(int nummer) const;
    QVector<Zeile> seiteLesen(int nummer) const;
    // Up to `anzahl` rows next to `ab` in the list's order, nearest first; without `ab` from the list's
    // newest (Aelter) or oldest (Neuer) end. `einschliesslich` takes the row at `ab` itself too.
    QVector<Zeile> lesen(Richtung richtung, const Schluessel* ab, bool einschliesslich, int anzahl) const;
    bool ausfuehren(const QString& sql, const QVariantList& werte, int anzahl, QVector<Zeile>* zeilen) const;
    bool schaetzungsAnker(int rang, Schluessel* anker) const;
    void endeGefunden(int anzahl) const;

    QLocale m_locale;
    Datenquelle m_quelle;
    QString m_pfad;
    mutable QString m_fehler;
    bool m_abgefragt = false;
    QSqlRecord m_spalten;
    int m_datumSpalte = -1;
    int m_anzahl = 0;
    qint64 m_grenze = 0; // the highest rowid when the list was read
    mutable QHash<int, Seite> m_seiten;
    mutable quint64 m_zugriff = 0;
    quint64 m_generation = 0; // a delayed correction of the length applies only to the reading it came from
    mutable qint64 m_abfragenGesamt = 0;
};

} // namespace recording
