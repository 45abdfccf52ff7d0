#include "laufwerk.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

bool windowsNetzwerkpfad(const QString& pfad) {
    // Both separators on every system, so the rule reads the same wherever it is tried.
    const QString p = QString(pfad).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.startsWith(QLatin1String("//?/UNC/"), Qt::CaseInsensitive))
        return true;
    // "//server/…": two separators, then a name; "//./" and "//?/" are the system's own namespaces.
    return p.size() > 2 && p.startsWith(QLatin1String("//")) && p.at(2) != QLatin1Char('/') &&
           !p.startsWith(QLatin1String("//./")) && !p.startsWith(QLatin1String("//?/"));
}

bool imNetzwerk(const QString& pfad) {
#ifdef Q_OS_WIN
    if (windowsNetzwerkpfad(pfad))
        return true;
    const QString absolut = QDir::toNativeSeparators(QDir(pfad).absolutePath());
    if (absolut.size() < 2 || absolut.at(1) != QLatin1Char(':'))
        return false;
    const QString wurzel = absolut.left(2) + QLatin1Char('\\');
    return GetDriveTypeW(reinterpret_cast<const wchar_t*>(wurzel.utf16())) == DRIVE_REMOTE;
#else
    Q_UNUSED(pfad);
    return false;
#endif
}

} // namespace platform
