#pragma once

#include <QString>

namespace recording {

// Where the working database lives and which template it is made from.
struct DatenOrt {
    QString ordner;
    QString vorlage; // full path of zel.neu, empty when no template was found
};

// What the choice depends on, gathered by the caller so the rule itself can be tried in tests.
struct DatenOrtQuellen {
    QString programmOrdner;
    bool programmOrdnerBeschreibbar = false;
    QString benutzerOrdner; // the per-user data folder
    QString installOrdner;  // where an installation put its template
    QString datenDirOption; // --data-dir, empty when not given
};

// --data-dir when given; else the executable's folder when it holds zel.neu and may be written (build tree,
// portable copy); else the per-user data folder. The template is looked for in the chosen folder, beside the
// executable and in the installed data folder, in that order.
DatenOrt datenOrtWaehlen(const DatenOrtQuellen& quellen);

// The rule for this program run; creates the chosen folder when it is missing.
DatenOrt datenOrtFuerProgramm(const QString& datenDirOption);

} // namespace recording
