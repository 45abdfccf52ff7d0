#pragma once

#include "geduld.h"

#include <QString>

namespace platform {

// Renaming, removing and flushing files that another program may be holding for a moment: a virus
// scanner or an indexer opens a file as soon as it is written, and Windows then refuses to rename or remove it.
// Each operation is tried again for about a second while the system says the file is busy; a failure is told
// in the system's own words (in the system's language), not in a C runtime's.
class Dateiwechsel {
public:
    explicit Dateiwechsel(Geduld geduld = Geduld());

    // Gives `von` the name `nach` in one step; a file already called `nach` is replaced.
    bool umbenennen(const QString& von, const QString& nach);
    // A file that is not there counts as removed.
    bool entfernen(const QString& pfad);
    // Forces what was written to the closed file onto the disk, so that a file renamed into place afterwards
    // is complete after a crash or a power cut.
    bool sichern(const QString& pfad);
    // Makes renames within the folder durable (where the system needs that; elsewhere nothing to do).
    bool ordnerSichern(const QString& ordner);

    // The system's words for the last failure.
    QString fehler() const { return m_fehler; }

private:
    bool ausfuehren(const std::function<Versuch()>& versuch);

    Geduld m_geduld;
    QString m_fehler;
};

} // namespace platform
