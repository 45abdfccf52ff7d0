// libFuzzer entry for the CSV line writer: a Datum and a Gewicht of any type another program may have
// stored (NULL, integer, any double's bits, text, BLOB, text near the stored form), and the line they give
// read back by the quoting rules. Build and run:
//   cmake -S . -B build-fuzz-csv -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DGRAMURA_FUZZ=ON
//   cmake --build build-fuzz-csv --target csvformat_fuzz
//   build-fuzz-csv/tests/recording/csvformat_fuzz -max_total_time=60
#include "recording/csvformat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <string_view>

namespace {

[[noreturn]] void verletzt(const char* regel, const QByteArray& zeile) {
    std::fprintf(stderr, "%s: %s\n", regel, zeile.toPercentEncoding().constData());
    std::abort();
}

QVariant wert(FuzzedDataProvider& daten) {
    switch (daten.ConsumeIntegralInRange(0, 5)) {
    case 0:
        return QVariant();
    case 1:
        return QVariant::fromValue(daten.ConsumeIntegral<qint64>());
    case 2: {
        // Any bit pattern: infinities, NaNs, subnormals.
        const auto bits = daten.ConsumeIntegral<std::uint64_t>();
        double zahl = 0;
        std::memcpy(&zahl, &bits, sizeof zahl);
        return zahl;
    }
    case 3:
        return QByteArray::fromStdString(daten.ConsumeRandomLengthString(48));
    case 4:
        return QString::fromUtf8(QByteArray::fromStdString(daten.ConsumeRandomLengthString(48)));
    default: {
        // Near the stored form "yyyy-MM-dd HH:mm:ss", where a few wrong characters decide the path taken.
        static constexpr char kZeichen[] = "0123456789-: ;\"=+@\t\r\n',.";
        QString text;
        const int laenge = daten.ConsumeIntegralInRange(17, 21);
        for (int i = 0; i < laenge; ++i)
            text += QLatin1Char(kZeichen[daten.ConsumeIntegralInRange<std::size_t>(0, sizeof kZeichen - 2)]);
        return text;
    }
    }
}

// One line by the quoting rules: ";" between fields, a field in quotes holds anything with its quotes
// doubled, CR LF at the end and nowhere else outside quotes. False where the line breaks them.
bool zerlegen(const QByteArray& zeile, QList<QByteArray>* felder) {
    if (!zeile.endsWith("\r\n"))
        return false;
    const QByteArray inhalt = zeile.chopped(2);
    qsizetype i = 0;
    for (;;) {
        QByteArray feld;
        if (i < inhalt.size() && inhalt[i] == '"') {
            for (++i;; ++i) {
                if (i >= inhalt.size())
                    return false;
                if (inhalt[i] == '"') {
                    if (i + 1 >= inhalt.size() || inhalt[i + 1] != '"')
                        break;
                    ++i;
                }
                feld += inhalt[i];
            }
            ++i;
            if (i < inhalt.size() && inhalt[i] != ';')
                return false;
        } else {
            for (; i < inhalt.size() && inhalt[i] != ';'; ++i) {
                if (inhalt[i] == '"' || inhalt[i] == '\r' || inhalt[i] == '\n')
                    return false;
                feld += inhalt[i];
            }
        }
        felder->append(feld);
        if (i >= inhalt.size())
            return true;
        ++i;
    }
}

bool formelAnfang(const QByteArray& feld) {
    return !feld.isEmpty() && std::string_view("=+-@\t\r").find(feld.front()) != std::string_view::npos;
}

// A weight as the file writes it: digits, at most one decimal comma, perhaps a minus; never an exponent.
bool gewichtFeld(const QByteArray& feld) {
    qsizetype i = feld.startsWith('-') ? 1 : 0;
    const qsizetype ziffern = i;
    while (i < feld.size() && feld[i] >= '0' && feld[i] <= '9')
        ++i;
    if (i == ziffern)
        return false;
    if (i == feld.size())
        return true;
    if (feld[i] != ',' || i + 1 == feld.size())
        return false;
    for (++i; i < feld.size(); ++i) {
        if (feld[i] < '0' || feld[i] > '9')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider daten(data, size);
    const QVariant datum = wert(daten);
    const QVariant gewicht = wert(daten);
    QByteArray zeile;
    recording::CsvFormat::zeileAnhaengen(zeile, datum, gewicht);
    QList<QByteArray> felder;
    if (!zerlegen(zeile, &felder))
        verletzt("not one line by the quoting rules", zeile);
    if (felder.size() != 3)
        verletzt("not three fields", zeile);
    // A minus before a weight makes a negative number, which is what it is; every other field that starts
    // like a formula would be computed by a spreadsheet.
    if (!felder[2].isEmpty() && !gewichtFeld(felder[2]))
        verletzt("weight not a number", zeile);
    if (formelAnfang(felder[0]) || formelAnfang(felder[1]))
        verletzt("a formula's start unescaped", zeile);
    // Escaping adds the apostrophe and nothing else: what another program stored can still be read.
    const QString text = datum.isNull() ? QString() : datum.toString();
    if (felder[1].isEmpty() && felder[0] != text.toUtf8() &&
        !(felder[0].startsWith('\'') && formelAnfang(felder[0].mid(1)) && felder[0].mid(1) == text.toUtf8()))
        verletzt("the stored Datum lost", zeile);
    return 0;
}
