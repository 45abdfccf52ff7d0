#pragma once

#include <QString>

namespace platform {

// A pseudo-terminal standing in for a serial line: the program under test opens the slave like any serial
// device, the owner writes what the "indicator" sends into the master. The master never blocks; the slave is
// raw from the start, so no byte is echoed, translated or held back for a line end.
class Pty {
public:
    Pty() = default;
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool open(QString* error);
    // Closes both sides, which the reader of the slave sees as a vanished device, and removes the link.
    void close();
    bool isOpen() const { return m_master >= 0; }

    // Makes path a symbolic link to the slave, replacing an older link there. A fixed path survives a new
    // pseudo-terminal, so a device can "come back" under the name the reader knows.
    bool link(const QString& path, QString* error);
    QString linkPath() const { return m_link; }
    QString slaveName() const { return m_slaveName; }
    // The link when there is one, else the slave.
    QString devicePath() const { return m_link.isEmpty() ? m_slaveName : m_link; }

    // Writes without waiting; returns how many bytes the line took (0 when it is full), -1 on failure.
    qint64 write(const char* data, qint64 size);
    // Bytes that arrived at the slave and nobody has read yet.
    qint64 unread() const;
    // Throws those bytes away, as a receiver without a reader loses them.
    void discardUnread();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slaveName;
    QString m_link;
};

} // namespace platform
