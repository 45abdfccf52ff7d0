#include "portweiche.h"

#include <utility>

namespace sim {

PortWeiche::PortWeiche(QString simulierterName, platform::SerialPort& simuliert, platform::SerialPort& echt,
                       QObject* parent)
    : SerialPort(parent), m_simulierterName(std::move(simulierterName)), m_simuliert(simuliert), m_echt(echt) {
    connect(&m_simuliert, &platform::SerialPort::failed, this,
            [this](const QString& beschreibung) { weitermelden(m_simuliert, beschreibung); });
    connect(&m_echt, &platform::SerialPort::failed, this,
            [this](const QString& beschreibung) { weitermelden(m_echt, beschreibung); });
}

bool PortWeiche::open(const QString& device, const QString& settings, QString* error) {
    close();
    platform::SerialPort& ziel = device == m_simulierterName ? m_simuliert : m_echt;
    m_zuletzt = &ziel;
    if (!ziel.open(device, settings, error))
        return false;
    m_aktiv = &ziel;
    return true;
}

void PortWeiche::close() {
    if (m_aktiv)
        std::exchange(m_aktiv, nullptr)->close();
}

bool PortWeiche::isOpen() const {
    return m_aktiv && m_aktiv->isOpen();
}

QByteArray PortWeiche::readAll() {
    return m_aktiv ? m_aktiv->readAll() : QByteArray();
}

bool PortWeiche::zugriffVerweigert() const {
    return m_zuletzt && m_zuletzt->zugriffVerweigert();
}

void PortWeiche::weitermelden(const platform::SerialPort& quelle, const QString& beschreibung) {
    if (m_aktiv == &quelle)
        Q_EMIT failed(beschreibung);
}

} // namespace sim
