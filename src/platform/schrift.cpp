#include "schrift.h"

namespace platform {

QString entwurfsschrift() {
#ifdef Q_OS_WIN
    return QStringLiteral("Microsoft Sans Serif");
#else
    return QStringLiteral("MS Sans Serif");
#endif
}

} // namespace platform
