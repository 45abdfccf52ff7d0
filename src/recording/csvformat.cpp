#include "csvformat.h"

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

bool ziffern(const QString& text, qsizetype ab, qsizetype anzahl) {
    for (qsizetype i = ab; i < ab + anzahl; ++i) {
        if (!text.at(i).isDigit())
            return false;
    }
    return true;
}

// "yyyy-MM-dd HH:mm:ss", checked by its shape only: cutting it up is all the export does with it, and at
// ten million rows parsing each into a QDateTime would cost more than the rest of the line.
bool speicherform(const QString& text) {
    return text.size() == 19 && ziffern(text, 0, 4) && text.at(4) == u'-' && ziffern(text, 5, 2) &&
           text.at(7) == u'-' && ziffern(text, 8, 2) && text.at(10) == u' ' && ziffern(text, 11, 2) &&
           text.at(13) == u':' && ziffern(text, 14, 2) && text.at(16) == u':' && ziffern(text, 17, 2);
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
    if (speicherform(text)) {
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
