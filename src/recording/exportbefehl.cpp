#include "exportbefehl.h"

#include "csvexport.h"
#include "datenbankpflege.h"
#include "datenort.h"
#include "fileexist.h"
#include "platform/standardausgabe.h"

#include <QDir>
#include <tuple>

namespace recording {

ExportBefehl::Ergebnis ExportBefehl::ausfuehren(QString* meldung) const {
    Zeitraum zeitraum;
    for (const auto& [text, datum, option] : {std::tuple{von, &zeitraum.von, "--from"}, {bis, &zeitraum.bis, "--to"}}) {
        if (text.isEmpty())
            continue;
        *datum = Zeitraum::ausOption(text);
        if (!datum->isValid()) {
            *meldung = QStringLiteral("%1 erwartet ein Datum yyyy-MM-dd, nicht „%2“.").arg(QLatin1String(option), text);
            return FalscherAufruf;
        }
    }
    if (!zeitraum.gueltig()) {
        *meldung = QStringLiteral("--from %1 liegt nach --to %2.").arg(von, bis);
        return FalscherAufruf;
    }
    const DatenOrt ort = datenOrtErmitteln(datenDir);
    if (const QString ablehnung = datenOrtAblehnung(ort.ordner); !ablehnung.isEmpty()) {
        *meldung = ablehnung;
        return KeineDatenbank;
    }
    const auto name = fileexist(ort.ordner, Datenbankpflege::kDatenbank);
    if (!name) {
        *meldung = QStringLiteral("In „%1“ gibt es keine Datenbank %2.")
                       .arg(QDir::toNativeSeparators(ort.ordner), Datenbankpflege::kDatenbank);
        return KeineDatenbank;
    }
    CsvExport ausgabe(QDir(ort.ordner).filePath(*name), zeitraum, datei, QStringLiteral("befehlexport"));
    if (ausgabe.ausfuehren()) {
        const bool geraet = datei == QLatin1String("-") ||
                            QDir::fromNativeSeparators(datei).startsWith(QLatin1String("/dev/")) ||
                            platform::geraetename(datei);
        *meldung = geraet ? QString() : ausgabe.bericht();
        return Erfolg;
    }
    // One line, whatever SQLite or the file system said.
    *meldung = ausgabe.fehler().simplified();
    return ausgabe.dateiFehler() ? DateiFehler : KeineDatenbank;
}

} // namespace recording
