#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace platform {

// A receive-only serial line. Implementations report a failure of an open port once through failed();
// what the program does about it (closing, reopening) is the caller's business.
class SerialPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialPort() override = default;

    // Opens the device with the given line settings text such as "2400,N,8,1". On failure returns false and
    // sets *error to the platform's description.
    virtual bool open(const QString& device, const QString& settings, QString* error) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Everything received and not yet taken, oldest first.
    virtual QByteArray readAll() = 0;
    // Whether the last failed open() was refused by the system although the device is there: another
    // program holding it, or a user without the right to it.
    virtual bool zugriffVerweigert() const { return false; }

Q_SIGNALS:
    // The open port has failed (device gone, read error). Emitted at most once per opening.
    void failed(const QString& description);
};

} // namespace platform
