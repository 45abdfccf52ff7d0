#pragma once

#include "datenquelle.h"
#include "zeitraum.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class QIODevice;

namespace recording {

// Writes the rows of a period as CSV (CsvFormat), oldest first, in blocks that the caller drives: the
// window from its event loop, so the weight display, the hotkey and recording go on; the command line in
// one go. Each block is at most two short reads by key (Datum, rowid) along the index on Datum, finished
// before the next, so no read snapshot holds the -wal file or the recording up. Rows stored after the start
// are left out, so the file shows the table as it was then.
//
// Other programs store Datum as they like: NULL, numbers, text that is not UTF-8, BLOBs. The period is a
// range in SQLite's order of the stored values (NULL, numbers, text, BLOB); a period open at its start also
// takes the rows without Datum, with an empty date.
//
// The file is written under a temporary name beside the target and renamed at the end; an existing file
// of that name is replaced only then. A cancelled or failed export leaves no file of its own behind.
// The target "-" is the standard output; one that exists and is no regular file (a FIFO, a terminal) or
// lies under /dev (/dev/stdout), or a device of Windows (NUL, CON), is written directly, as command-line
// programs do, and keeps what was written before a failure.
class CsvExport {
public:
    static constexpr int kBlockZeilen = 4096;
    // Said of a period without rows, before anything is written and in the report of a file that holds
    // the header alone.
    static inline const QString kKeineGewichte =
        QStringLiteral("Im gewählten Zeitraum sind keine Gewichte aufgezeichnet");

    CsvExport(QString datenbank, Zeitraum zeitraum, QString ziel, QString verbindung = QStringLiteral("datexport"));
    ~CsvExport();
    CsvExport(const CsvExport&) = delete;
    CsvExport& operator=(const CsvExport&) = delete;

    // Opens the database read-only and the temporary file, and estimates the rows; false with fehler().
    bool beginnen();
    // Writes the next block; false on a failure (fehler()), after which only abbrechen() is left.
    bool weiter();
    // Whether every row has been written; then abschliessen() puts the file in place.
    bool gelesen() const { return m_gelesen; }
    bool abschliessen();
    // Throws away what was written; an existing file of the target's name stays as it was.
    void abbrechen();
    // beginnen, every block, abschliessen.
    bool ausfuehren();

    qint64 geschrieben() const { return m_geschrieben; }
    // The rows in the period from the rowids at its ends: exact as long as Datum grows with the rowid, as
    // recording stores it; only for the progress shown.
    qint64 geschaetzt() const { return m_geschaetzt; }
    QString fehler() const { return m_fehler; }
    // Whether the failure was the target file's rather than the database's.
    bool dateiFehler() const { return m_dateiFehler; }
    // For the operator after a complete export: how many weights went where, in the numbers of QLocale().
    QString bericht() const;

    // "1 Gewicht", "1.234 Gewichte".
    static QString gewichte(qint64 anzahl);
    // Whether the period holds no row of the database, asked before a file is chosen: one step down the
    // index on Datum, read-only. Nothing when the database cannot be read (the export then says why).
    static std::optional<bool> zeitraumLeer(const QString& datenbank, const Zeitraum& zeitraum);

private:
    bool scheitern(const QString& meldung, bool datei = false);
    bool schaetzen();
    // The rest of the last key's group of equal Datum, then what follows it, up to `anzahl` rows.
    bool lesen(bool gruppe, int anzahl, QByteArray& block, int* zeilen);
    bool offenerAnfang() const { return !m_zeitraum.von.isValid(); }
    bool standardausgabe() const;
    bool direkt() const;

    QString m_datenbank;
    Zeitraum m_zeitraum;
    QString m_ziel;
    Datenquelle m_quelle;
    std::unique_ptr<QIODevice> m_datei;
    QString m_fehler;
    qint64 m_grenze = 0; // the highest rowid at the start
    // The last row's key, its Datum with the type it was read as (null for NULL).
    QVariant m_letztesDatum;
    qint64 m_letzteRowid = 0;
    bool m_hatSchluessel = false;
    bool m_gelesen = false;
    bool m_dateiFehler = false;
    qint64 m_geschrieben = 0;
    qint64 m_geschaetzt = 0;
};

} // namespace recording
