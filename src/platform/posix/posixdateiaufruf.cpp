#include "platform/dateiaufruf.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform::dateiaufruf {

namespace {

// An open file never keeps another process from renaming or removing it here; only what the kernel itself
// is busy with (a mount point, a running program's image) says so.
Versuch ausErrno(bool gelungen) {
    if (gelungen)
        return {};
    const int fehler = errno;
    return {static_cast<unsigned long>(fehler), fehler == EBUSY || fehler == ETXTBSY};
}

QByteArray nativ(const QString& pfad) {
    return QFile::encodeName(pfad);
}

Versuch syncen(const QString& pfad, int art) {
    const int fd = ::open(nativ(pfad).constData(), art | O_CLOEXEC);
    if (fd < 0)
        return ausErrno(false);
    const Versuch ergebnis = ausErrno(::fsync(fd) == 0);
    ::close(fd);
    return ergebnis;
}

} // namespace

Versuch umbenennen(const QString& von, const QString& nach) {
    return ausErrno(::rename(nativ(von).constData(), nativ(nach).constData()) == 0);
}

Versuch entfernen(const QString& pfad) {
    if (::unlink(nativ(pfad).constData()) == 0 || errno == ENOENT)
        return {};
    return ausErrno(false);
}

Versuch sichern(const QString& pfad) {
    // fsync writes the file's data whichever descriptor wrote it; a read-only descriptor serves.
    return syncen(pfad, O_RDONLY);
}

Versuch ordnerSichern(const QString& ordner) {
    return syncen(ordner, O_RDONLY | O_DIRECTORY);
}

QString meldung(unsigned long fehler) {
    return QString::fromLocal8Bit(std::strerror(static_cast<int>(fehler)));
}

} // namespace platform::dateiaufruf
