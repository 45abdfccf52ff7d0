#include "simulierterport.h"

#include <utility>

namespace sim {

SimulierterPort::SimulierterPort(Scenario szenario, PacedWriter::Clock uhr, QObject* parent)
    : SerialPort(parent), m_szenario(std::move(szenario)) {
    m_seitStart.start();
    if (!uhr)
        uhr = [this] { return m_seitStart.elapsed(); };
    m_writer = std::make_unique<PacedWriter>([this] { return m_szenario.next(); },
                                             [this](const char* data, qint64 size) { return empfangen(data, size); },
                                             std::move(uhr));
}

bool SimulierterPort::open(const QString&, const QString&, QString*) {
    close();
    m_offen = true;
    m_writer->start();
    return true;
}

void SimulierterPort::close() {
    m_writer->stop();
    m_offen = false;
    m_puffer.clear();
}

QByteArray SimulierterPort::readAll() {
    return std::exchange(m_puffer, {});
}

qint64 SimulierterPort::empfangen(const char* data, qint64 size) {
    // A closed port has no receiver: what the line carries meanwhile is lost.
    if (!m_offen)
        return 0;
    m_puffer.append(data, size);
    if (m_puffer.size() > kReceiveBuffer)
        m_puffer.remove(0, m_puffer.size() - kReceiveBuffer);
    return size;
}

} // namespace sim
