#pragma once

#include "serialport.h"

class QSerialPort;

namespace platform {

// SerialPort on QSerialPort. The device text is whatever QSerialPort accepts: "COM3" on Windows, a path
// such as /dev/ttyUSB0 or a pseudo-terminal's name on Linux.
class QtSerialPort final : public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool open(const QString& device, const QString& settings, QString* error) override;
    void close() override;
    bool isOpen() const override;
    QByteArray readAll() override;
    bool zugriffVerweigert() const override { return m_verweigert; }

private:
    void onError();

    QSerialPort* m_port;
    bool m_failedReported = false;
    bool m_verweigert = false;
};

} // namespace platform
