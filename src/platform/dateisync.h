#pragma once

#include <QString>

class QFileDevice;

namespace platform {

// Forces what was written to the open file onto the disk, so that a file renamed into place afterwards is
// complete after a crash or a power cut. False when the system refuses.
bool dateiSichern(QFileDevice& datei);

// Makes a rename within the folder itself durable (where the system needs that; elsewhere nothing to do).
bool ordnerSichern(const QString& ordner);

} // namespace platform
