#pragma once

#include <QSqlDatabase>
#include <QString>

namespace recording {

// What a zel.mdb that "&Löschen" replaces must hand on to its successor, and who else in this process may
// open it meanwhile: the sender to the central server works on the file from a thread of its own.
class Nachlass {
public:
    Nachlass() = default;
    virtual ~Nachlass() = default;
    Nachlass(const Nachlass&) = delete;
    Nachlass& operator=(const Nachlass&) = delete;

    // Held from before the data sources let go of the file until they are on the new one: whoever else
    // opens the file does so only while holding this.
    virtual void sperren() = 0;
    virtual void freigeben() = 0;
    // Copies what must survive from the old file (`main` of the connection) into the new one, which is
    // attached to it as `neu`. A failure keeps the old file.
    virtual bool uebertragen(QSqlDatabase& alt, QString* fehler) = 0;
};

} // namespace recording
