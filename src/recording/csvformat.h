#pragma once

#include <QByteArray>
#include <QVariant>

namespace recording {

// The one CSV form of the exported weights, the same in every locale (scheduled jobs often run in the C
// locale): what a German spreadsheet opens correctly with a double click. UTF-8 with a byte order mark,
// ";" between fields, CR LF after each line, the date as dd.MM.yyyy, the time as HH:mm:ss, and the weight
// with every decimal it has, a decimal comma and no digit grouping.
struct CsvFormat {
    // The byte order mark and the header line.
    static QByteArray kopf();
    // One line for a row as stored: Datum as "yyyy-MM-dd HH:mm:ss" text, Gewicht as a number. A Datum in
    // another form (written by another program) goes into the date field as it is, the time field empty,
    // with an apostrophe before it where a spreadsheet would take it for a formula (=, +, -, @, tab, CR);
    // a NULL Datum leaves both empty. Gewicht is read as gespeichertesGewicht() reads it.
    static void zeileAnhaengen(QByteArray& ziel, const QVariant& datum, const QVariant& gewicht);
    // The shortest decimal text that reads back as the same double, with a comma; never an exponent.
    static QByteArray gewichtText(double wert);
};

} // namespace recording
