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

    // Runs the export; `meldung` is one line: on failure for stderr, on success for stdout how many weights
    // went into which file. Empty on success when the file is the standard output or another device, which
    // may be the same: whoever reads it gets the rows alone, and nothing on stderr, which schedulers and
    // PowerShell take for a failure.
    Ergebnis ausfuehren(QString* meldung) const;
};

} // namespace recording
