#pragma once

#include <QString>

namespace recording {

// The number a weight text stands for: "," counts as ".", blanks, tabs and line feeds anywhere are ignored,
// and the leading decimal number (optional sign, digits, at most one ".") is read; 0 when there is none.
double gewichtWert(const QString& gewichtText);

} // namespace recording
