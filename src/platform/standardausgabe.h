#pragma once

#include <QString>

class QFile;

namespace platform {

// Standard output for bytes that are already in their final form (CSV lines ending in CR LF): Windows' text
// mode would add a CR of its own before every LF. Nothing to do elsewhere.
void standardausgabeUnveraendert();

// Whether the name is one Windows keeps for a device in every folder: NUL, CON, PRN, AUX, COM1 to COM9, LPT1 to
// LPT9 (also with an extension, "nul.csv", and whatever the case), CONIN$, CONOUT$, or a path in the device
// namespace (\\.\COM10). Such a target takes no file beside it, so nothing can be renamed over it.
bool windowsGeraetename(const QString& pfad);
// The same on this system: on Windows the rule above, elsewhere devices are files under /dev.
bool geraetename(const QString& pfad);
// Opens such a device for writing into `datei`; false with the system's own words in `fehler`. Qt would make
// an absolute path of the name first (Z:\Export\NUL), which Windows refuses as an invalid name.
bool geraetOeffnen(QFile& datei, const QString& pfad, QString* fehler);

} // namespace platform
