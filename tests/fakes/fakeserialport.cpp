#include "fakeserialport.h"

bool FakeSerialPort::open(const QString& device, const QString& settings, QString* error) {
    opens << device + '|' + settings;
    if (onOpen)
        onOpen(device);
    if (!openSucceeds) {
        *error = openError;
        return false;
    }
    m_open = true;
    return true;
}

void FakeSerialPort::close() {
    if (m_open) {
        ++closes;
        if (onClose)
            onClose();
    }
    m_open = false;
}

QByteArray FakeSerialPort::readAll() {
    if (!m_open)
        return {};
    return std::exchange(m_pending, {});
}
