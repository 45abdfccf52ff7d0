#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace recording {

// The number a weight text stands for: "," counts as ".", blanks, tabs and line feeds anywhere are ignored,
// and the leading decimal number (optional sign, digits, at most one ".") is read; 0 when there is none.
double gewichtWert(const QString& gewichtText);

// A value of the column Gewicht as another program may have stored it: a number as it is; a text (or the
// bytes of a text) read as the program reads a weight text, so "12,5" is 12.5; empty for NULL and for a
// text without a number. Infinities and NaN come back as they are: each reader decides what it can show.
std::optional<double> gespeichertesGewicht(const QVariant& wert);

} // namespace recording
