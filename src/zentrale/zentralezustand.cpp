#include "zentralezustand.h"

namespace zentrale {

QString ZentraleZustand::zeile(const QDateTime& jetzt) const {
    QString was;
    switch (lage) {
    case Lage::InOrdnung:
        return {};
    case Lage::NichtErreichbar:
        was = QStringLiteral("Zentrale nicht erreichbar");
        break;
    case Lage::AnmeldungAbgelehnt:
        was = QStringLiteral("Zentrale lehnt die Anmeldung ab");
        break;
    case Lage::SchreibenAbgelehnt:
        was = QStringLiteral("Zentrale nimmt keine Gewichte an");
        break;
    case Lage::ZuLangsam:
        was = QStringLiteral("Zentrale antwortet zu langsam");
        break;
    case Lage::FalschEingerichtet:
        was = QStringLiteral("Zentrale falsch eingerichtet");
        break;
    case Lage::ZertifikatAbgelehnt:
        was = QStringLiteral("Zertifikat der Zentrale nicht vertrauenswürdig");
        break;
    }
    if (seit.isValid()) {
        // A fault that began on an earlier day says which.
        const QString uhrzeit = seit.date() == jetzt.date() ? seit.toString(QStringLiteral("HH:mm"))
                                                            : seit.toString(QStringLiteral("dd.MM. HH:mm"));
        was += QStringLiteral(" seit ") + uhrzeit;
    }
    // Unknown when the sender could not even start.
    if (wartend < 0)
        return was;
    const QString warten =
        wartend == 1 ? QStringLiteral("1 Gewicht wartet") : QStringLiteral("%1 Gewichte warten").arg(wartend);
    return was + QStringLiteral(" – ") + warten;
}

QString ZentraleZustand::ungueltigZeile() const {
    if (ungueltig <= 0)
        return {};
    const QString wieviele =
        ungueltig == 1 ? QStringLiteral("1 Gewicht") : QStringLiteral("%1 Gewichte").arg(ungueltig);
    return QStringLiteral("Zentrale: %1 mit einem Wert übertragen, den sie nicht annehmen kann – dort leer "
                          "und in „ungueltig“ vermerkt")
        .arg(wieviele);
}

} // namespace zentrale
