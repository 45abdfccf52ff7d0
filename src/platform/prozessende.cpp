#include "prozessende.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

void prozessBeenden(int rc) {
#ifdef Q_OS_WIN
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
#endif
    std::exit(rc);
}

} // namespace platform
