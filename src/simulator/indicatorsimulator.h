#pragma once

#include "pacedwriter.h"
#include "platform/pty.h"
#include "scenario.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <memory>

namespace sim {

// A weighing indicator on a pseudo-terminal: the program reads the slave (or a link to it) as its serial
// device, the simulator sends the scenario's telegrams at the line's rate into the master.
class IndicatorSimulator : public QObject {
    Q_OBJECT
public:
    // A serial receiver keeps about this much unread before it overruns; more is thrown away, so a program
    // that starts late sees the current weight, not minutes of old ones.
    static constexpr qint64 kReceiveBuffer = PacedWriter::kLineRate;

    explicit IndicatorSimulator(Scenario scenario, QObject* parent = nullptr);
    ~IndicatorSimulator() override;

    // Opens the pseudo-terminal, links it at linkPath unless that is empty, and starts sending.
    bool start(const QString& linkPath, QString* error);
    // Stops sending and closes the pseudo-terminal: to the reader the device has gone.
    void stop();

    QString devicePath() const { return m_pty.devicePath(); }
    QString slaveName() const { return m_pty.slaveName(); }
    PacedWriter& writer() { return *m_writer; }
    platform::Pty& pty() { return m_pty; }

private:
    qint64 send(const char* data, qint64 size);

    Scenario m_scenario;
    platform::Pty m_pty;
    QElapsedTimer m_clock;
    std::unique_ptr<PacedWriter> m_writer;
};

} // namespace sim
