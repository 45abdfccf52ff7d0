#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace zentrale {

// One recorded weight on its way to the central server, with the identity that makes it unique there: the
// identity of the zel.mdb it was stored in and its rowid in that file.
struct ZentralZeile {
    QString datei;
    qint64 zeile = 0;
    // As read from the file: Datum's text and Gewicht's value, either possibly null.
    QVariant datum;
    QVariant gewicht;
    // The instant captured when the row was stored, in milliseconds since the epoch (UTC); empty for a row
    // stored before the central store was configured or by an earlier version of the program.
    std::optional<qint64> utcMs;
};

} // namespace zentrale
