#include "csvformat.h"

#include "vorlage.h"

#include <QLocale>
#include <cmath>

namespace recording {

namespace {

// A field that holds the separator, a quote or a line break is quoted, its quotes doubled.
void feldAnhaengen(QByteArray& ziel, const QByteArray& feld) {
    if (!feld.contains(';') && !feld.contains('"') && !feld.contains('\n') && !feld.contains('\r')) {
        ziel += feld;
        return;
    }
    QByteArray gequotet = feld;
    gequotet.replace('"', "\"\"");
    ziel += '"' + gequotet + '"';
}

} // namespace

QByteArray CsvFormat::kopf() {
    return QByteArrayLiteral("\xEF\xBB\xBF"
                             "Datum;Uhrzeit;Gewicht\r\n");
}

QByteArray CsvFormat::gewichtText(double wert) {
    if (!std::isfinite(wert))
        return QByteArray();
    // QByteArray::number formats in the C locale whatever the environment says.
    QByteArray text = QByteArray::number(wert, 'f', QLocale::FloatingPointShortest);
    text.replace('.', ',');
    return text;
}

void CsvFormat::zeileAnhaengen(QByteArray& ziel, const QVariant& datum, const QVariant& gewicht) {
    const QString text = datum.isNull() ? QString() : datum.toString();
    if (istSpeicherform(text)) {
        const QByteArray roh = text.toLatin1();
        ziel += roh.mid(8, 2) + '.' + roh.mid(5, 2) + '.' + roh.mid(0, 4) + ';' + roh.mid(11, 8);
    } else {
        feldAnhaengen(ziel, text.toUtf8());
        ziel += ';';
    }
    ziel += ';';
    bool zahl = false;
    const double wert = gewicht.isNull() ? 0.0 : gewicht.toDouble(&zahl);
    if (zahl)
        ziel += gewichtText(wert);
    ziel += "\r\n";
}

} // namespace recording
