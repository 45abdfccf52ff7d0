#include "pty.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

Pty::~Pty() {
    close();
}

bool Pty::open(QString* error) {
    close();
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = systemError("openpty");
        return false;
    }
    termios raw{};
    if (::tcgetattr(slave, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::cfsetispeed(&raw, B2400);
        ::cfsetospeed(&raw, B2400);
        ::tcsetattr(slave, TCSANOW, &raw);
    }
    const int flags = ::fcntl(master, F_GETFL);
    if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = systemError("fcntl");
        ::close(master);
        ::close(slave);
        return false;
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_master = master;
    // Our own slave descriptor keeps the line alive while no reader has it open.
    m_slave = slave;
    m_slaveName = QString::fromLocal8Bit(name);
    return true;
}

void Pty::close() {
    if (!m_link.isEmpty()) {
        // Only our own link: the path may meanwhile point at someone else's device.
        if (QFileInfo(m_link).symLinkTarget() == QFileInfo(m_slaveName).absoluteFilePath())
            QFile::remove(m_link);
        m_link.clear();
    }
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
    m_slaveName.clear();
}

bool Pty::link(const QString& path, QString* error) {
    if (!isOpen()) {
        *error = QStringLiteral("Kein Pseudoterminal offen");
        return false;
    }
    const QFileInfo existing(path);
    if (existing.isSymLink())
        QFile::remove(path);
    else if (existing.exists()) {
        *error = QStringLiteral("%1 existiert und ist kein Verweis").arg(path);
        return false;
    }
    if (::symlink(m_slaveName.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0) {
        *error = systemError("symlink");
        return false;
    }
    m_link = path;
    return true;
}

qint64 Pty::write(const char* data, qint64 size) {
    if (m_master < 0)
        return -1;
    const ssize_t n = ::write(m_master, data, static_cast<size_t>(size));
    if (n < 0)
        return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
    return n;
}

qint64 Pty::unread() const {
    int count = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &count) != 0)
        return 0;
    return count;
}

void Pty::discardUnread() {
    if (m_slave >= 0)
        ::tcflush(m_slave, TCIFLUSH);
}

} // namespace platform
