#include "indicatorsimulator.h"

#include <utility>

namespace sim {

IndicatorSimulator::IndicatorSimulator(Scenario scenario, QObject* parent)
    : QObject(parent), m_scenario(std::move(scenario)) {
    m_clock.start();
    m_writer = std::make_unique<PacedWriter>([this] { return m_scenario.next(); },
                                             [this](const char* data, qint64 size) { return send(data, size); },
                                             [this] { return m_clock.elapsed(); });
}

IndicatorSimulator::~IndicatorSimulator() {
    stop();
}

bool IndicatorSimulator::start(const QString& linkPath, QString* error) {
    stop();
    if (!m_pty.open(error))
        return false;
    if (!linkPath.isEmpty() && !m_pty.link(linkPath, error)) {
        m_pty.close();
        return false;
    }
    m_writer->start();
    return true;
}

void IndicatorSimulator::stop() {
    m_writer->stop();
    m_pty.close();
}

qint64 IndicatorSimulator::send(const char* data, qint64 size) {
    if (m_pty.unread() > kReceiveBuffer)
        m_pty.discardUnread();
    return m_pty.write(data, size);
}

} // namespace sim
