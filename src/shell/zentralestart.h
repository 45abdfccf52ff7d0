#pragma once

#include "recording/zentralesender.h"

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

// Starts the sender on the working database, hands "&Löschen" its outbox and shows its state. Nothing
// without a server; a connection text that cannot be read is shown as such, and recording goes on.
std::unique_ptr<recording::ZentraleSender> zentraleStarten(const ZentraleEinstellung& einstellung,
                                                           recording::Datenbankpflege& datenbank,
                                                           ZentraleAnzeige& anzeige,
                                                           const recording::ZentraleTakt& takt = {});

} // namespace shell
