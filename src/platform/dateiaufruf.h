#pragma once

#include "geduld.h"

#include <QString>

// One attempt each, in the system's own calls: the patience around them is Dateiwechsel's. Every attempt says
// whether the file was busy (held without sharing, locked, access refused for the moment).
namespace platform::dateiaufruf {

// Gives the file `von` the name `nach` in one step, replacing a file of that name.
Versuch umbenennen(const QString& von, const QString& nach);
// Removes the file; one that is not there counts as removed.
Versuch entfernen(const QString& pfad);
// Forces what was written to the file onto the disk, by whichever handle or descriptor wrote it.
Versuch sichern(const QString& pfad);
// Makes the names given in the folder durable where the system needs that for a rename to survive a crash.
Versuch ordnerSichern(const QString& ordner);
// The system's own words for an error number, in the system's language.
QString meldung(unsigned long fehler);

} // namespace platform::dateiaufruf
