#include "pacedwriter.h"

#include <algorithm>
#include <utility>

namespace sim {

PacedWriter::PacedWriter(Source source, Sink sink, Clock clock, QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_sink(std::move(sink)), m_clock(std::move(clock)) {
    m_last = m_clock();
    connect(&m_timer, &QTimer::timeout, this, &PacedWriter::pump);
}

void PacedWriter::start(int tickMs) {
    m_last = m_clock();
    m_credit = 0;
    m_timer.start(tickMs);
}

void PacedWriter::stop() {
    m_timer.stop();
}

void PacedWriter::pump() {
    const qint64 now = m_clock();
    qint64 elapsed = now - m_last;
    m_last = now;
    if (m_silentUntil >= 0) {
        if (now < m_silentUntil)
            return;
        elapsed = std::min(elapsed, now - m_silentUntil);
        m_silentUntil = -1;
    }
    // After a stall (a suspended process, a slow machine) no more than a second's worth goes out at once.
    m_credit = std::min(m_credit + elapsed * m_cps, qint64{1000} * m_cps);
    const qint64 due = m_credit / 1000;

    QByteArray out;
    while (out.size() < due) {
        if (m_pending.isEmpty()) {
            Piece piece = m_source();
            if (piece.bytes.isEmpty() && piece.pauseMs <= 0)
                break;
            m_pending = std::move(piece.bytes);
            m_pendingPause = piece.pauseMs;
        }
        const qint64 take = std::min<qint64>(due - out.size(), m_pending.size());
        out.append(m_pending.left(take));
        m_pending.remove(0, take);
        if (m_pending.isEmpty() && m_pendingPause > 0) {
            m_silentUntil = now + m_pendingPause;
            m_pendingPause = 0;
            break;
        }
    }
    m_credit = m_silentUntil >= 0 ? 0 : m_credit - out.size() * 1000;
    if (out.isEmpty())
        return;
    const qint64 taken = std::clamp<qint64>(m_sink(out.constData(), out.size()), 0, out.size());
    m_sent += taken;
    m_dropped += out.size() - taken;
}

} // namespace sim
