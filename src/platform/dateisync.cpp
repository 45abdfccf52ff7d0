#include "dateisync.h"

#include <QFile>
#include <QFileDevice>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

bool dateiSichern(QFileDevice& datei) {
    if (!datei.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(datei.handle()) == 0;
#else
    return ::fsync(datei.handle()) == 0;
#endif
}

bool ordnerSichern(const QString& ordner) {
#ifdef Q_OS_WIN
    // NTFS journals the rename itself; a folder cannot be flushed there.
    Q_UNUSED(ordner);
    return true;
#else
    const int fd = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#endif
}

} // namespace platform
