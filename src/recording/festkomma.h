#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace recording {

// Weights, thresholds and the last recorded values are compared as signed counts of ten-thousandths, so
// "at least the threshold" is decided exactly and 5.3 + 1 really equals 6.3.
namespace festkomma {

constexpr qint64 kEins = 10000;
// Every value is kept within +-2^62 so that a sum or difference of two of them never leaves 64 bits.
constexpr qint64 kGrenze = (qint64{1} << 62) - 1;

// The leading decimal number of a weight text, as the tick and the store read it: every "," counts as
// ".", blanks, tabs and line feeds are ignored wherever they stand, an optional sign, digits and at most
// one decimal point; reading stops at the first character that cannot continue the number. Rounded to
// four decimals with ties to the even digit, decided on the decimal digits themselves. No value when the
// text holds no digit before it stops (empty, "Fehler", "-").
std::optional<qint64> ausText(QStringView text);

// The same reading, 0 when the text holds no number.
qint64 ausTextOderNull(QStringView text);

// A number of the threshold fields, rounded to four decimals with ties to even.
qint64 ausDouble(double value);

double alsDouble(qint64 zehntausendstel);

} // namespace festkomma
} // namespace recording
