#pragma once

#include <QString>
#include <QStringView>

namespace recording {

// The leading decimal number of a weight text, as the recording tick and the store both read it: every ","
// counts as ".", blanks, tabs and line feeds are ignored wherever they stand, then an optional sign, digits
// and at most one decimal point; reading stops at the first character that cannot continue the number.
// Returns that number as plain text ("-12.5"), or an empty text when it holds no digit ("", "Fehler", "-").
QString fuehrendeZahl(QStringView text);

} // namespace recording
