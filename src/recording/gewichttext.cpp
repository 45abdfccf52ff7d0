#include "gewichttext.h"

#include "zahlentext.h"

namespace recording {

double gewichtWert(const QString& gewichtText) {
    bool ok = false;
    const double wert = fuehrendeZahl(gewichtText).toDouble(&ok);
    return ok ? wert : 0.0;
}

} // namespace recording
