#include "qtserialport.h"

#include <QSerialPort>
#include <QStringList>

namespace platform {

namespace {

struct LineSettings {
    qint32 baud = 0;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// "2400,N,8,1" as the indicator's documentation writes it: baud, parity letter, data bits, stop bits.
bool parseSettings(const QString& text, LineSettings* out) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    out->baud = parts[0].trimmed().toInt(&ok);
    if (!ok || out->baud <= 0)
        return false;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity == QLatin1String("N"))
        out->parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("E"))
        out->parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("O"))
        out->parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("M"))
        out->parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S"))
        out->parity = QSerialPort::SpaceParity;
    else
        return false;
    const int bits = parts[2].trimmed().toInt(&ok);
    if (!ok || bits < 5 || bits > 8)
        return false;
    out->dataBits = static_cast<QSerialPort::DataBits>(bits);
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        out->stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        out->stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        out->stopBits = QSerialPort::TwoStop;
    else
        return false;
    return true;
}

} // namespace

QtSerialPort::QtSerialPort(QObject* parent) : SerialPort(parent), m_port(new QSerialPort(this)) {
    connect(m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

QtSerialPort::~QtSerialPort() = default;

bool QtSerialPort::open(const QString& device, const QString& settings, QString* error) {
    close();
    m_verweigert = false;
    LineSettings line;
    if (!parseSettings(settings, &line)) {
        *error = QStringLiteral("Ungültige Schnittstellenparameter: %1").arg(settings);
        return false;
    }
    if (device.isEmpty()) {
        *error = QStringLiteral("Keine Schnittstelle angegeben");
        return false;
    }
    m_port->setPortName(device);
    m_port->setBaudRate(line.baud);
    m_port->setParity(line.parity);
    m_port->setDataBits(line.dataBits);
    m_port->setStopBits(line.stopBits);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_failedReported = false;
    if (!m_port->open(QIODevice::ReadOnly)) {
        *error = m_port->errorString();
        // Windows refuses a COM port another program holds with "access denied"; a lock or an exclusive
        // terminal held elsewhere, or a device busy, come out as the same error on Linux.
        m_verweigert = m_port->error() == QSerialPort::PermissionError;
        m_port->clearError();
        return false;
    }
    return true;
}

void QtSerialPort::close() {
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

bool QtSerialPort::isOpen() const {
    return m_port->isOpen();
}

QByteArray QtSerialPort::readAll() {
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}

void QtSerialPort::onError() {
    const QSerialPort::SerialPortError code = m_port->error();
    // Errors of a failed open are answered by open() itself; a timeout is no failure of the line.
    if (code == QSerialPort::NoError || code == QSerialPort::TimeoutError || !m_port->isOpen())
        return;
    const QString description = m_port->errorString();
    // A lost device keeps raising errors while the port stays open: report once and let the owner close it.
    if (m_failedReported)
        return;
    m_failedReported = true;
    Q_EMIT failed(description);
}

} // namespace platform
