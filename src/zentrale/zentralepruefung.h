#pragma once

#include "zentraleadresse.h"
#include "zentralezustand.h"

#include <QString>

namespace zentrale {

// "Verbindung prüfen": connects as the sender would, makes the table if it is missing, and counts the rows
// of zel.mdb the server does not have yet. Blocks for up to the connection's time limit, so the window runs
// it on a thread of its own; every connection it opens lives and dies on the calling thread.
struct ZentralePruefung {
    struct Ergebnis {
        bool erreicht = false;
        // One line for the operator, never with a password: what was found, or why not.
        QString zeile;
    };

    // `treiber`, when given, is asked first: a driver that does not load is named by the file it lacks.
    static Ergebnis pruefen(const ZentraleAdresse& adresse, const QString& datenbankPfad,
                            const TreiberPruefung& treiber = {});
};

} // namespace zentrale
