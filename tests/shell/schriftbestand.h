#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <cstring>

// The set of fonts a run of the text tests is registered for (GRAMURA_SCHRIFTBESTAND; CTest hides packages
// from fontconfig with FONTCONFIG_FILE), and what fontconfig must then offer, so that each run tests what its
// name says.
struct Schriftbestand {
    const char* name;
    const char* grundschrift;   // the face the window's MS Sans Serif resolves to
    const char* schmaleFamilie; // its narrow face, empty where the run has none
    bool liberationSchmal;      // Liberation Sans Narrow is found
    bool dejavuSchmal;          // DejaVu Sans Condensed is found
};

inline const Schriftbestand kSchriftbestaende[] = {
    {"debian", "Liberation Sans", "Liberation Sans Narrow", true, true},
    {"nur-dejavu", "DejaVu Sans", "DejaVu Sans Condensed", false, true},
    {"dejavu-ohne-schmal", "DejaVu Sans", "", false, false},
};

// This run's set; nullptr where the variable names none of them.
inline const Schriftbestand* schriftbestand() {
    const QByteArray name = qgetenv("GRAMURA_SCHRIFTBESTAND");
    for (const Schriftbestand& b : kSchriftbestaende) {
        if (name == b.name)
            return &b;
    }
    return nullptr;
}
