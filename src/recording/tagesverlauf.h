#pragma once

#include "datenquelle.h"

#include <QDate>
#include <QVector>

namespace recording {

// One column of the day's chart: the least and greatest weight of the rows whose time of day falls into it.
struct VerlaufsSpalte {
    int spalte = 0;
    double min = 0;
    double max = 0;
};

// What the page "Verlauf" shows of one day.
struct TagesWerte {
    qint64 anzahl = 0;
    double min = 0;
    double max = 0;
    double summe = 0;
    // Rows whose Gewicht is no finite number (an infinity, a text another program stored): counted in
    // anzahl, neither drawn nor in minimum, maximum and sum. Rows without Gewicht are counted only.
    qint64 ausgelassen = 0;
    int spalten = 0;                 // the width the day was reduced to
    QVector<VerlaufsSpalte> verlauf; // columns with rows only, left to right
};

// Reads one day for the chart. SQLite does the reduction: it groups the day's rows by the column their time
// of day falls into, so a day at one row a second comes back as at most one pair of values per pixel, and
// the day's count, minimum, maximum and sum are added up from those groups. The day's rows are found as a
// range of the index on Datum. Each reading opens the file read-only, runs its one statement and lets go
// again, so no query and no connection outlive it.
class TagesVerlauf {
public:
    explicit TagesVerlauf(const QString& verbindung = QStringLiteral("datverlauf"));

    // spalten: the chart's width in pixels, at least 1.
    bool lesen(const QString& pfad, const QDate& tag, int spalten, TagesWerte* werte);
    QString fehler() const { return m_fehler; }

    // The reduction: bound values are the number of columns, the day's first moment and the next day's.
    static QString abfrage();

private:
    Datenquelle m_quelle;
    QString m_fehler;
};

} // namespace recording
