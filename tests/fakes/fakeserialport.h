#pragma once

#include "platform/serialport.h"

#include <QStringList>
#include <functional>

// A serial port driven by the test: it decides which opens succeed and what arrives.
class FakeSerialPort final : public platform::SerialPort {
    Q_OBJECT
public:
    bool open(const QString& device, const QString& settings, QString* error) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QByteArray readAll() override;
    bool zugriffVerweigert() const override { return !openSucceeds && openVerweigert; }

    void receive(const QByteArray& bytes) { m_pending += bytes; }
    void fail(const QString& description) { Q_EMIT failed(description); }

    bool openSucceeds = true;
    QString openError = QStringLiteral("No such file or directory");
    // A failing open is refused by the system rather than missing its device.
    bool openVerweigert = false;
    QStringList opens; // "device|settings" per attempt
    int closes = 0;
    // Run at each open attempt and at each close of an open port, for tests that log the order of events.
    std::function<void(const QString& device)> onOpen;
    std::function<void()> onClose;

private:
    bool m_open = false;
    QByteArray m_pending;
};
