#include "zentralestart.h"

#include "platform/settingsstore.h"
#include "recording/datenbankpflege.h"
#include "zentraleanzeige.h"

#include <QSysInfo>

namespace shell {

ZentraleEinstellung zentraleEinstellungLesen(const platform::SettingsStore& store, const std::optional<QString>& server,
                                             const std::optional<QString>& station) {
    const QString section = QString::fromLatin1(ZentraleEinstellung::kSection);
    ZentraleEinstellung e;
    e.server = server ? *server : store.read(section, QStringLiteral("Server"), QString());
    e.station = (station ? *station : store.read(section, QStringLiteral("Station"), QString())).trimmed();
    if (e.station.isEmpty())
        e.station = QSysInfo::machineHostName();
    return e;
}

std::unique_ptr<recording::ZentraleSender> zentraleStarten(const ZentraleEinstellung& einstellung,
                                                           recording::Datenbankpflege& datenbank,
                                                           ZentraleAnzeige& anzeige,
                                                           const recording::ZentraleTakt& takt) {
    if (!einstellung.aktiv())
        return nullptr;
    QString fehler;
    const auto adresse = recording::ZentraleAdresse::lesen(einstellung.server, &fehler);
    if (!adresse) {
        recording::ZentraleZustand zustand;
        zustand.lage = recording::ZentraleZustand::Lage::FalschEingerichtet;
        zustand.wartend = -1;
        zustand.meldung = fehler;
        anzeige.zeigen(zustand);
        return nullptr;
    }
    auto sender =
        std::make_unique<recording::ZentraleSender>(*adresse, einstellung.station, datenbank.datenbankPfad(), takt);
    QObject::connect(sender.get(), &recording::ZentraleSender::zustandGeaendert, &anzeige, &ZentraleAnzeige::zeigen);
    datenbank.setNachlass(sender.get());
    sender->start();
    return sender;
}

} // namespace shell
