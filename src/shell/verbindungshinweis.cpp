#include "verbindungshinweis.h"

#include "platform/serialdevices.h"

#include <QStringList>

namespace shell {

QString verbindungshinweis(const platform::SerialDevices& geraete, const QString& device, const QString& fehler) {
    QStringList zeilen{QStringLiteral("%1: %2").arg(device, fehler)};
    switch (geraete.zustand(device)) {
    case platform::SerialDevices::Zustand::KeinZugriff: {
        const QString gruppe = geraete.gruppe(device);
        zeilen << (gruppe.isEmpty()
                       ? QStringLiteral("Dieser Benutzer darf das Gerät nicht lesen.")
                       : QStringLiteral("Dieser Benutzer darf das Gerät nicht lesen: er muss zur Gruppe „%1“ "
                                        "gehören, der das Gerät gehört (meist dialout), und sich danach neu "
                                        "anmelden.")
                             .arg(gruppe));
        break;
    }
    case platform::SerialDevices::Zustand::Fehlt: {
        const auto vorhanden = geraete.vorhandene();
        if (vorhanden.isEmpty()) {
            zeilen << QStringLiteral("Das Gerät fehlt, und es ist kein serielles Gerät angeschlossen.");
            break;
        }
        zeilen << QStringLiteral("Das Gerät fehlt. Vorhandene serielle Geräte:");
        for (const platform::SerialDevice& g : vorhanden)
            zeilen << QStringLiteral("    %1 (%2)").arg(g.kurz, g.pfad);
        break;
    }
    case platform::SerialDevices::Zustand::Vorhanden:
        break;
    }
    return zeilen.join(QLatin1Char('\n'));
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
