#include "seriallink.h"

#include "platform/serialport.h"

#include <utility>

namespace acquisition {

SerialLink::SerialLink(platform::SerialPort& port, QObject* parent) : QObject(parent), m_port(port) {
    m_retry.setInterval(1000);
    connect(&m_port, &platform::SerialPort::failed, this, &SerialLink::onFailed);
    connect(&m_retry, &QTimer::timeout, this, &SerialLink::retry);
}

bool SerialLink::portoeffnen(const QString& device, QString* error) {
    m_retry.stop();
    if (m_port.isOpen())
        m_port.close();
    m_failure.reset();
    m_device = device;
    return m_port.open(device, QString::fromLatin1(kSettings), error);
}

bool SerialLink::zugriffVerweigert() const {
    return m_port.zugriffVerweigert();
}

void SerialLink::close() {
    m_retry.stop();
    if (m_port.isOpen())
        m_port.close();
}

void SerialLink::weiterVersuchen() {
    if (!m_port.isOpen() && !m_device.isEmpty())
        m_retry.start();
}

bool SerialLink::isOpen() const {
    return m_port.isOpen();
}

QByteArray SerialLink::readAll() {
    return m_port.readAll();
}

std::optional<QString> SerialLink::takeFailure() {
    return std::exchange(m_failure, std::nullopt);
}

void SerialLink::onFailed(const QString& description) {
    // Closing stops the error storm a vanished device raises; the retry timer brings the line back.
    m_port.close();
    m_failure = description;
    m_retry.start();
    Q_EMIT lost(description);
}

void SerialLink::retry() {
    QString ignored;
    if (m_port.open(m_device, QString::fromLatin1(kSettings), &ignored)) {
        m_retry.stop();
        Q_EMIT reconnected();
    }
}

} // namespace acquisition
