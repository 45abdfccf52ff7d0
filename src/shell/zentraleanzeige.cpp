#include "zentraleanzeige.h"

#include "statusband.h"
#include "trayfenster.h"

namespace shell {

ZentraleAnzeige::ZentraleAnzeige(Statusband& band, TrayFenster& tray, QObject* parent)
    : QObject(parent), m_band(band), m_tray(tray) {}

void ZentraleAnzeige::zeigen(const zentrale::ZentraleZustand& zustand) {
    const QString zeile = zustand.zeile(QDateTime::currentDateTime());
    const QString schluessel = QString::fromLatin1(kZeile);
    // The line already names the missing file; under it, what that means for the operator.
    const QString einzelheiten = zustand.lage == zentrale::ZentraleZustand::Lage::TreiberFehlt
                                     ? QStringLiteral("Bis die fehlende Datei installiert und das Programm neu "
                                                      "gestartet ist, geht nichts an die Zentrale; die Gewichte "
                                                      "werden weiter aufgezeichnet und dann nachgesendet.")
                                     : zustand.meldung;
    if (zeile.isEmpty())
        m_band.loeschen(schluessel);
    else
        m_band.setzen(schluessel, Statusband::Schwere::Warnung, zeile, einzelheiten);
    m_tray.setZusatzzeile(zeile);
    // Told once, as a note that stays: the rows are across, only some of their values are not.
    const QString ungueltig = zustand.ungueltigZeile();
    if (!ungueltig.isEmpty())
        m_band.setzen(QStringLiteral("zentrale_ungueltig"), Statusband::Schwere::Hinweis, ungueltig);
}

} // namespace shell
