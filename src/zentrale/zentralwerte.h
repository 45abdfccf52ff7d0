#pragma once

#include "zentralzeile.h"

#include <QString>
#include <QStringList>
#include <optional>

class QSqlDatabase;

namespace zentrale {

// One row's values as the server can take them. Everything in zel.mdb may have been written by another
// program, so each value is checked here, not only for its shape: a value the server would refuse (a date
// that does not exist, an instant out of its range, a weight that is no number) goes as no value, and the
// text as it was stored goes along in `ungueltig`, so the row never holds up the ones after it.
struct ZentralWerte {
    QString datei; // a UUID; a file identity that is none is replaced by one derived from it
    qint64 zeile = 0;
    QString datum; // "yyyy-MM-dd HH:mm:ss", empty for none
    // The instant: captured (epoch milliseconds, UTC) or derived from datum (ISO text, UTC); both empty for none.
    std::optional<qint64> utcMs;
    QString abgeleitet;
    std::optional<double> gewicht;
    QStringList ungueltig; // "datum=2026-02-30 12:00:00", …

    static ZentralWerte aus(const ZentralZeile& zeile);

    // The row as a parenthesised list with every value cast to its column's type, for INSERT … VALUES and
    // for a VALUES list that is compared with what the server already holds.
    QString tupel(const QSqlDatabase& db, const QString& stationText) const;
};

// The station's name as the server can take it: without NUL, which no text on the server can hold.
QString stationFuerServer(const QString& station);
// A text as a literal of the statement, quoted by the driver itself: station names and stored values come from
// outside and never go in unquoted.
QString textLiteral(const QSqlDatabase& db, const QString& text);

} // namespace zentrale
