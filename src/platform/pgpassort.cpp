#include "pgpassort.h"

#include <QDir>

namespace platform {

QString pgpassOrt() {
    const QString gesetzt = qEnvironmentVariable("PGPASSFILE");
    if (!gesetzt.isEmpty())
        return gesetzt;
#ifdef Q_OS_WIN
    // libpq asks the shell for the roaming application data folder, which APPDATA names.
    return QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")) + QStringLiteral("/postgresql/pgpass.conf");
#else
    return QDir::homePath() + QStringLiteral("/.pgpass");
#endif
}

} // namespace platform
