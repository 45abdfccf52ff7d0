#include "prozessende.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

namespace {

#ifdef Q_OS_WIN
[[noreturn]] void ohneBibliotheken(int rc) {
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
    std::_Exit(rc);
}
#endif

} // namespace

void prozessBeenden(int rc) {
#ifdef Q_OS_WIN
    ohneBibliotheken(rc);
#else
    std::exit(rc);
#endif
}

void sofortBeenden(int rc) {
#ifdef Q_OS_WIN
    ohneBibliotheken(rc);
#else
    std::fflush(nullptr);
    std::_Exit(rc);
#endif
}

} // namespace platform
