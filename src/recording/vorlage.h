#pragma once

#include <QDateTime>
#include <QString>

namespace recording {

// Writes the empty template database: table Gewichte (Datum, Gewicht) and the index on Datum that lets the
// newest-first list walk the table without sorting it. Datum holds "yyyy-MM-dd HH:mm:ss" text in local
// time, so text order is time order. Used by the build, never by the running program.
bool vorlageErzeugen(const QString& pfad, QString* fehler = nullptr);

// The stored form of a moment, and back.
QString datumSpeicherform(const QDateTime& moment);
QDateTime datumAusSpeicherform(const QString& text);
// Whether a text has the stored form's shape (digits and separators in place), checked without parsing it:
// the export and the sender take it apart or pass it on as it is, row by row, at millions of rows.
bool istSpeicherform(const QString& text);
// The calendar day and clock time of a text in the stored form, read digit by digit; false for any other
// text. Either may come out invalid (a 30 February, 24:00:00): the caller decides what that means. Qt's own
// format parser costs about 1.5 ms a call on Windows under wine, where the sender reads 1000 rows at a time.
bool speicherformTeile(const QString& text, QDate* tag, QTime* zeit);

} // namespace recording
