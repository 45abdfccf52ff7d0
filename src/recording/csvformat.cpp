#include "csvformat.h"

#include "gewichttext.h"
#include "vorlage.h"

#include <QLocale>
#include <cmath>

namespace recording {

namespace {

// What a spreadsheet takes for the start of a formula: "-1+2" would be computed, "=HYPERLINK(…)" would
// become a link. An apostrophe before it keeps the field text, as spreadsheet users write it by hand.
bool formelAnfang(const QByteArray& feld) {
    if (feld.isEmpty())
        return false;
    switch (feld.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

// A text field as another program stored it: a formula's start escaped, then a field that holds the
// separator, a quote or a line break quoted, its quotes doubled.
void feldAnhaengen(QByteArray& ziel, QByteArray feld) {
    if (formelAnfang(feld))
        feld.prepend('\'');
    if (!feld.contains(';') && !feld.contains('"') && !feld.contains('\n') && !feld.contains('\r')) {
        ziel += feld;
        return;
    }
    feld.replace('"', "\"\"");
    ziel += '"' + feld + '"';
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
    // A weight stored as text ("12,5") reads as the program reads a weight; none, or one beyond the
    // numbers, leaves the field empty.
    if (const std::optional<double> wert = gespeichertesGewicht(gewicht))
        ziel += gewichtText(*wert);
    ziel += "\r\n";
}

} // namespace recording
