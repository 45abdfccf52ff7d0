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

QString stationsnameFehler(const QString& station) {
    for (qsizetype i = 0; i < station.size(); ++i)
        if (station[i].category() == QChar::Other_Control)
            return QStringLiteral("Der Name der Station (Einstellung „Station“ oder --station) enthält an Stelle %1 "
                                  "das Steuerzeichen U+%2; bis er berichtigt ist, geht nichts an die Zentrale.")
                .arg(i + 1)
                .arg(QString::number(station[i].unicode(), 16).toUpper().rightJustified(4, u'0'));
    return QString();
}

std::unique_ptr<zentrale::ZentraleSender> zentraleStarten(const ZentraleEinstellung& einstellung,
                                                          recording::Datenbankpflege& datenbank,
                                                          ZentraleAnzeige& anzeige, const zentrale::ZentraleTakt& takt,
                                                          const zentrale::TreiberPruefung& treiber) {
    if (!einstellung.aktiv())
        return nullptr;
    QString fehler;
    const auto adresse = zentrale::ZentraleAdresse::lesen(einstellung.server, &fehler);
    if (adresse)
        fehler = stationsnameFehler(einstellung.station);
    if (!fehler.isEmpty()) {
        // Said once at start-up: the sender, which would report faults as they come, is not started.
        qWarning("Gramura: Zentrale: %s", qPrintable(fehler));
        zentrale::ZentraleZustand zustand;
        zustand.lage = zentrale::ZentraleZustand::Lage::FalschEingerichtet;
        zustand.wartend = -1;
        zustand.meldung = fehler;
        anzeige.zeigen(zustand);
        return nullptr;
    }
    auto sender =
        std::make_unique<zentrale::ZentraleSender>(*adresse, einstellung.station, datenbank.datenbankPfad(), takt);
    sender->setTreiberPruefung(treiber);
    datenbank.setNachlass(sender.get());
    sender->start();
    return sender;
}

} // namespace shell
