#pragma once

#include <QString>

namespace platform {
class SerialDevices;
}

namespace shell {

// The lines under "no connection to the indicator": why the device would not open, and what the operator
// can do about it. A device the user may not read names the group that owns it; a missing device lists
// the serial devices that are there.
QString verbindungshinweis(const platform::SerialDevices& geraete, const QString& device, const QString& fehler);

} // namespace shell
