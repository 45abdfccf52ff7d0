#include "befehlszeile.h"

#ifdef Q_OS_WIN
// shellapi.h needs the types of windows.h.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on
#endif

namespace platform {

QStringList befehlszeile(int argc, char** argv) {
    QStringList argumente;
#ifdef Q_OS_WIN
    int anzahl = 0;
    if (LPWSTR* breit = CommandLineToArgvW(GetCommandLineW(), &anzahl)) {
        for (int i = 0; i < anzahl; ++i)
            argumente << QString::fromWCharArray(breit[i]);
        LocalFree(breit);
        return argumente;
    }
#endif
    for (int i = 0; i < argc; ++i)
        argumente << QString::fromLocal8Bit(argv[i]);
    return argumente;
}

} // namespace platform
