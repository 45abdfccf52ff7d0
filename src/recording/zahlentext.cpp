#include "zahlentext.h"

namespace recording {

QString fuehrendeZahl(QStringView text) {
    QString zahl;
    bool punkt = false;
    bool ziffern = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (c == u',')
            c = u'.';
        if ((c == u'-' || c == u'+') && zahl.isEmpty()) {
            zahl += c;
        } else if (c == u'.' && !punkt) {
            punkt = true;
            zahl += c;
        } else if (c >= u'0' && c <= u'9') {
            ziffern = true;
            zahl += c;
        } else {
            break;
        }
    }
    return ziffern ? zahl : QString();
}

} // namespace recording
