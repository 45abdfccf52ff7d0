#include "standardausgabe.h"

#include <QRegularExpression>
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

} // namespace platform
