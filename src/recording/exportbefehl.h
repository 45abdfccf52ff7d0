#pragma once

#include <QString>

namespace recording {

// `gramura --export FILE.csv [--from yyyy-MM-dd] [--to yyyy-MM-dd] [--data-dir DIR]`, for scheduled jobs:
// reads zel.mdb of the data folder the program itself would use, never creates it and writes nothing
// into it, so it runs beside the recording program. FILE "-" is the standard output.
struct ExportBefehl {
    enum Ergebnis {
        Erfolg = 0,
        KeineDatenbank = 1, // missing, not a database of this program, or unreadable
        FalscherAufruf = 2, // a bad date, --from after --to
        DateiFehler = 3,    // the CSV file cannot be written
    };

    QString datei;
    QString von; // as given on the command line; empty when not given
    QString bis;
    QString datenDir;

    // Runs the export; on failure `meldung` is one line for stderr.
    Ergebnis ausfuehren(QString* meldung) const;
};

} // namespace recording
