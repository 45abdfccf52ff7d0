#pragma once

#include "scenario.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace sim {

// Puts the scenario's bytes on the line no faster than the line carries them: 2400 baud with start and stop
// bit is 240 characters per second. Driven by a timer; each tick sends what the line would have carried
// since the last one. What the receiving side does not take is lost, as on a real line without a reader.
class PacedWriter : public QObject {
    Q_OBJECT
public:
    static constexpr int kLineRate = 240;

    using Source = std::function<Piece()>;
    // Offered bytes in, bytes taken out (-1 on failure).
    using Sink = std::function<qint64(const char*, qint64)>;
    // Milliseconds from any fixed point, never going back.
    using Clock = std::function<qint64()>;

    PacedWriter(Source source, Sink sink, Clock clock, QObject* parent = nullptr);

    void setCharactersPerSecond(int cps) { m_cps = cps > 0 ? cps : kLineRate; }
    int charactersPerSecond() const { return m_cps; }
    // Each tick hands the receiver a handful of characters, as a serial driver does; not a multiple of a
    // telegram, so telegrams also arrive split, as they do from a real line.
    void start(int tickMs = 80);
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

    // Sends what is due by now. Called by the timer; tests call it with a clock of their own.
    void pump();

    qint64 sent() const { return m_sent; }
    qint64 dropped() const { return m_dropped; }

private:
    Source m_source;
    Sink m_sink;
    Clock m_clock;
    QTimer m_timer;
    int m_cps = kLineRate;
    qint64 m_last = 0;
    // Characters the line could have carried and did not yet, in thousandths.
    qint64 m_credit = 0;
    // While a piece's silence lasts, the line carries nothing and saves up nothing.
    qint64 m_silentUntil = -1;
    QByteArray m_pending;
    int m_pendingPause = 0;
    qint64 m_sent = 0;
    qint64 m_dropped = 0;
};

} // namespace sim
