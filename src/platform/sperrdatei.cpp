#include "sperrdatei.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

bool verwaisteSperreEntfernen(const QString& pfad) {
#ifdef Q_OS_WIN
    // The holder of a lock keeps its file open without sharing deletion, so only a lock whose process has
    // gone can be deleted. Its process number alone says little: Windows hands numbers out again soon, to
    // this very program after a crash or to a system process whose name cannot be read.
    const QString nativ = QDir::toNativeSeparators(pfad);
    return DeleteFileW(reinterpret_cast<const wchar_t*>(nativ.utf16())) != 0;
#else
    Q_UNUSED(pfad);
    return false;
#endif
}

} // namespace platform
