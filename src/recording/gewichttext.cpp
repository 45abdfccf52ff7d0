#include "gewichttext.h"

namespace recording {

double gewichtWert(const QString& gewichtText) {
    QString zahl;
    zahl.reserve(gewichtText.size());
    bool punktGesehen = false;
    bool ziffernGesehen = false;
    for (QChar c : gewichtText) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c == u',')
            c = u'.';
        if ((c == u'-' || c == u'+') && zahl.isEmpty()) {
            zahl += c;
        } else if (c == u'.' && !punktGesehen) {
            punktGesehen = true;
            zahl += c;
        } else if (c >= u'0' && c <= u'9') {
            ziffernGesehen = true;
            zahl += c;
        } else {
            break;
        }
    }
    if (!ziffernGesehen)
        return 0.0;
    bool ok = false;
    const double wert = zahl.toDouble(&ok);
    return ok ? wert : 0.0;
}

} // namespace recording
