#include "standardausgabe.h"

#include <QtGlobal>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace platform {

void standardausgabeUnveraendert() {
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace platform
