#include "standardausgabe.h"

#include "dateiaufruf.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace platform {

void standardausgabeUnveraendert() {
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

bool windowsGeraetename(const QString& pfad) {
    QString name = pfad;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (name.startsWith(QLatin1String("\\\\.\\")) || name.startsWith(QLatin1String("\\\\?\\GLOBALROOT\\")))
        return true;
    name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1); // "C:nul"
    // Windows drops trailing blanks and dots, and an extension does not make a device a file.
    static const QRegularExpression geraet(
        QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9\\x{00B9}\\x{00B2}\\x{00B3}]|LPT[1-9\\x{00B9}\\x{00B2}\\x{00B3}]|"
                       "CONIN\\$|CONOUT\\$)[ .]*(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return geraet.match(name).hasMatch();
}

bool geraetename(const QString& pfad) {
#ifdef Q_OS_WIN
    return windowsGeraetename(pfad);
#else
    Q_UNUSED(pfad);
    return false;
#endif
}

bool geraetOeffnen(QFile& datei, const QString& pfad, QString* fehler) {
#ifdef Q_OS_WIN
    const QString nativ = QDir::toNativeSeparators(pfad);
    const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(nativ.utf16()), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *fehler = dateiaufruf::meldung(GetLastError());
        return false;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        *fehler = QStringLiteral("kein Deskriptor für das Gerät");
        return false;
    }
    if (datei.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle))
        return true;
    _close(fd);
#else
    datei.setFileName(pfad);
    if (datei.open(QIODevice::WriteOnly))
        return true;
#endif
    *fehler = datei.errorString();
    return false;
}

} // namespace platform
