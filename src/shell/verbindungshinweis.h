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

// The message for a port lost while running: the port as the list names it and, in German, what became of
// its device, judged by whether the device is still there; the device and the system's own words go in the
// details.
struct Verbindungsverlust {
    QString text;
    QString einzelheiten;
};
Verbindungsverlust verbindungsverlust(const platform::SerialDevices& geraete, const QString& name,
                                      const QString& device, const QString& fehler);

} // namespace shell
