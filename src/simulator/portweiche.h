#pragma once

#include "platform/serialport.h"

#include <QString>

namespace sim {

// The program's one serial port in --demo. The simulated indicator's device name opens the simulated port,
// any other device the real one: another port chosen in the running program is real hardware as always, and
// choosing the stored port again brings the simulator back.
class PortWeiche final : public platform::SerialPort {
    Q_OBJECT
public:
    PortWeiche(QString simulierterName, platform::SerialPort& simuliert, platform::SerialPort& echt,
               QObject* parent = nullptr);

    bool open(const QString& device, const QString& settings, QString* error) override;
    void close() override;
    bool isOpen() const override;
    QByteArray readAll() override;
    bool zugriffVerweigert() const override;

private:
    // Only the port in use may report a failure: the link closes and reopens whatever it was told has failed.
    void weitermelden(const platform::SerialPort& quelle, const QString& beschreibung);

    QString m_simulierterName;
    platform::SerialPort& m_simuliert;
    platform::SerialPort& m_echt;
    platform::SerialPort* m_aktiv = nullptr;
    // The port the last opening went to, which alone can say why it failed.
    const platform::SerialPort* m_zuletzt = nullptr;
};

} // namespace sim
