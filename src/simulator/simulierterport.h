#pragma once

#include "pacedwriter.h"
#include "platform/serialport.h"
#include "scenario.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <memory>

namespace sim {

// The weighing indicator behind a serial port of its own, inside the program: --demo needs no pseudo-terminal
// and so runs on every system. The scenario's telegrams arrive at the line's rate and wait for the reader as
// in a UART's receive buffer.
class SimulierterPort final : public platform::SerialPort {
    Q_OBJECT
public:
    // The device the port mapping names for it. No real device is called that, and it reads well where the
    // program shows the device (the port list's tooltip, a message about the port).
    static constexpr const char* kGeraet = "Simulierte Wiegeanzeige";
    // A reader that does not read keeps about a second of the line, as a real receiver does before it
    // overruns; the oldest goes first, so a late reader sees the current weight, not minutes of old ones.
    static constexpr qint64 kReceiveBuffer = PacedWriter::kLineRate;

    // Without a clock of its own the port keeps time from its construction.
    explicit SimulierterPort(Scenario szenario = Scenario(Scenario::Kind::Demo), PacedWriter::Clock uhr = {},
                             QObject* parent = nullptr);

    // Any device and any line settings open it: the routing port decides which device is the simulated one,
    // and the program always asks for the indicator's own settings.
    bool open(const QString& device, const QString& settings, QString* error) override;
    // Stops the line and forgets what was not read: an opening starts with what the indicator sends then.
    void close() override;
    bool isOpen() const override { return m_offen; }
    QByteArray readAll() override;

    // Tests drive the line through its pump() with a clock of their own.
    PacedWriter& writer() { return *m_writer; }

private:
    qint64 empfangen(const char* data, qint64 size);

    Scenario m_szenario;
    QElapsedTimer m_seitStart;
    std::unique_ptr<PacedWriter> m_writer;
    QByteArray m_puffer;
    bool m_offen = false;
};

} // namespace sim
