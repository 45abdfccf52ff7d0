#pragma once

#include "platform/psqltreiber.h"
#include "zentrale/zentralesender.h"

#include <memory>
#include <optional>

namespace platform {
class SettingsStore;
}

namespace recording {
class Datenbankpflege;
}

namespace shell {

class ZentraleAnzeige;

// The central store as configured: section "Zentrale" of the settings store, keys "Server" (a libpq
// connection string or URI; empty: no central store) and "Station" (empty: the computer's name). The
// command line may replace either for one run.
struct ZentraleEinstellung {
    static constexpr const char* kSection = "Zentrale";

    QString server;
    QString station;
    bool aktiv() const { return !server.trimmed().isEmpty(); }
};

ZentraleEinstellung zentraleEinstellungLesen(const platform::SettingsStore& store, const std::optional<QString>& server,
                                             const std::optional<QString>& station);

// Empty for a station name the server can take as it is; otherwise what is wrong with it. A control
// character (a NUL written by hand into the settings file, a tab) is refused, not dropped: the name is
// what the rows are known by at the server, so it must be the one the administrator reads.
QString stationsnameFehler(const QString& station);

// Starts the sender on the working database and hands "&Löschen" its outbox; the caller shows its states. Nothing
// without a server; a connection text that cannot be read or a station name the server cannot take is
// shown as such, in the window and on stderr, nothing is sent, and recording goes on. The sender asks
// `treiber` whether the database driver loads before it connects.
std::unique_ptr<zentrale::ZentraleSender>
zentraleStarten(const ZentraleEinstellung& einstellung, recording::Datenbankpflege& datenbank, ZentraleAnzeige& anzeige,
                const zentrale::ZentraleTakt& takt = {},
                const zentrale::TreiberPruefung& treiber = platform::psqlTreiberFehlt);

} // namespace shell
