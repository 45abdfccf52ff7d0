#include "zentralezustand.h"

namespace zentrale {

QString ZentraleZustand::lageText(Lage lage) {
    switch (lage) {
    case Lage::InOrdnung:
        break;
    case Lage::NichtErreichbar:
        return QStringLiteral("Zentrale nicht erreichbar");
    case Lage::AnmeldungAbgelehnt:
        return QStringLiteral("Zentrale lehnt die Anmeldung ab");
    case Lage::SchreibenAbgelehnt:
        return QStringLiteral("Zentrale nimmt keine Gewichte an");
    case Lage::ZuLangsam:
        return QStringLiteral("Zentrale antwortet zu langsam");
    case Lage::FalschEingerichtet:
        return QStringLiteral("Zentrale falsch eingerichtet");
    case Lage::ZertifikatAbgelehnt:
        return QStringLiteral("Zertifikat der Zentrale nicht vertrauenswürdig");
    case Lage::TreiberFehlt:
        return QStringLiteral("PostgreSQL-Treiber fehlt");
    }
    return {};
}

QString ZentraleZustand::zeile(const QDateTime& jetzt) const {
    if (lage == Lage::InOrdnung)
        return {};
    QString was = lageText(lage);
    if (lage == Lage::TreiberFehlt)
        return meldung.isEmpty() ? was : was + QStringLiteral(": ") + meldung;
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
