#pragma once

#include <QString>

namespace platform {
class SerialDevices;
}

namespace shell {

// Why the device would not open, and what the operator can do about it: the lines under "no connection to
// the indicator". A device the user may not read names the group that owns it; a missing device lists the
// serial devices that are there; a port another program holds is "belegt", the system's words (on Windows
// a bare "access denied") only in the details. `name` is the port as the list names it; `verweigert`
// whether the system refused the device although it is there.
struct Verbindungshinweis {
    QString text;
    QString einzelheiten;
    // A word or two for the state of the line: "belegt", "Gerät fehlt", "kein Zugriff", "Fehler".
    QString kurz;
};
Verbindungshinweis verbindungshinweis(const platform::SerialDevices& geraete, const QString& name,
                                      const QString& device, const QString& fehler, bool verweigert);

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
