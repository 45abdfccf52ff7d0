#pragma once

#include <QString>
#include <QStringList>

namespace recording {

// Where the working database lives and where its template is looked for. The template is searched for each
// time it is needed, so one put in place while the program runs serves the next "&Löschen".
struct DatenOrt {
    static const QString kVorlage;

    DatenOrt() = default;
    DatenOrt(QString datenOrdner, QStringList suchOrdner);
    // The template at one known path, as tests and tools hand it in; an empty path: no template anywhere.
    DatenOrt(QString datenOrdner, const QString& vorlagePfad);

    // Full path of zel.neu in the first folder that holds it now; empty when none does.
    QString vorlageSuchen() const;

    QString ordner;
    QStringList vorlageOrdner; // searched in this order, each folder once
};

// What the choice depends on, gathered by the caller so the rule itself can be tried in tests.
struct DatenOrtQuellen {
    QString programmOrdner;
    bool programmOrdnerBeschreibbar = false;
    QString benutzerOrdner; // the per-user data folder
    QString installOrdner;  // where an installation put its template
    QString datenDirOption; // --data-dir, empty when not given
};

// --data-dir when given; else the executable's folder when it holds zel.mdb or zel.neu and may be written
// (portable copy, older installation, build tree; one on a network share counts as not writable); else the
// per-user data folder. The template is looked for in the chosen folder, beside the executable and in the
// installed data folder, in that order.
DatenOrt datenOrtWaehlen(const DatenOrtQuellen& quellen);

// Whether a file can be made in the folder: tried by creating and removing one, since permission bits do
// not tell (on Windows the access rights are not among them).
bool ordnerBeschreibbar(const QString& ordner);

// Why zel.mdb cannot be kept in the folder, as one line for the person who chose it; empty when it can. SQLite
// keeps the working database's journal in memory shared beside the file, which a network share does not
// share between computers, so two stations on one share would spoil each other's records.
QString datenOrtAblehnung(const QString& ordner);

// The rule for this program run; creates the chosen folder when it is missing and may hold the records.
DatenOrt datenOrtFuerProgramm(const QString& datenDirOption);
// The same rule for a run that only reads (the export on the command line): nothing is created.
DatenOrt datenOrtErmitteln(const QString& datenDirOption);

} // namespace recording
