#include "verbindungshinweis.h"

#include "platform/serialdevices.h"

#include <QStringList>

namespace shell {

Verbindungshinweis verbindungshinweis(const platform::SerialDevices& geraete, const QString& name,
                                      const QString& device, const QString& fehler, bool verweigert) {
    const QString systemtext = QStringLiteral("%1: %2").arg(device, fehler);
    QStringList zeilen{systemtext};
    switch (geraete.zustand(device)) {
    case platform::SerialDevices::Zustand::KeinZugriff: {
        const QString gruppe = geraete.gruppe(device);
        zeilen << (gruppe.isEmpty()
                       ? QStringLiteral("Dieser Benutzer darf das Gerät nicht lesen.")
                       : QStringLiteral("Dieser Benutzer darf das Gerät nicht lesen: er muss zur Gruppe „%1“ "
                                        "gehören, der das Gerät gehört (meist dialout), und sich danach neu "
                                        "anmelden.")
                             .arg(gruppe));
        return {zeilen.join(QLatin1Char('\n')), QString(), QStringLiteral("kein Zugriff")};
    }
    case platform::SerialDevices::Zustand::Fehlt: {
        const auto vorhanden = geraete.vorhandene();
        if (vorhanden.isEmpty()) {
            zeilen << QStringLiteral("Das Gerät fehlt, und es ist kein serielles Gerät angeschlossen.");
        } else {
            zeilen << QStringLiteral("Das Gerät fehlt. Vorhandene serielle Geräte:");
            for (const platform::SerialDevice& g : vorhanden)
                zeilen << QStringLiteral("    %1 (%2)").arg(g.kurz, g.pfad);
        }
        zeilen << QStringLiteral("Sobald es angeschlossen ist, wird %1 von selbst geöffnet.").arg(name);
        return {zeilen.join(QLatin1Char('\n')), QString(), QStringLiteral("Gerät fehlt")};
    }
    case platform::SerialDevices::Zustand::Vorhanden:
        break;
    }
    if (verweigert) {
        // The device is there and this user may read it: someone else has it open.
        return {QStringLiteral("%1 ist belegt: ein anderes Programm hat die Schnittstelle geöffnet.\n"
                               "Beenden Sie das andere Programm oder lassen Sie es die Schnittstelle freigeben; "
                               "danach wird %1 von selbst geöffnet.")
                    .arg(name),
                systemtext, QStringLiteral("belegt")};
    }
    return {zeilen.join(QLatin1Char('\n')), QString(), QStringLiteral("Fehler")};
}

Verbindungsverlust verbindungsverlust(const platform::SerialDevices& geraete, const QString& name,
                                      const QString& device, const QString& fehler) {
    QString was;
    switch (geraete.zustand(device)) {
    case platform::SerialDevices::Zustand::Fehlt:
        was = QStringLiteral("Gerät entfernt");
        break;
    case platform::SerialDevices::Zustand::KeinZugriff:
        was = QStringLiteral("kein Zugriff mehr auf das Gerät");
        break;
    case platform::SerialDevices::Zustand::Vorhanden:
        was = QStringLiteral("Fehler beim Lesen");
        break;
    }
    return {QStringLiteral("Verbindung zu %1 verloren: %2").arg(name, was),
            QStringLiteral("%1: %2").arg(device, fehler)};
}

} // namespace shell
