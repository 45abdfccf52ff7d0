#include "intervall.h"

namespace recording {

QString intervallName(Intervall intervall) {
    static const std::array<const char*, kIntervallAnzahl> namen = {"1s", "2s", "5s", "10s", "20s", "30s",
                                                                    "1m", "2m", "5m", "10m", "30m", "1h"};
    return QString::fromLatin1(namen.at(static_cast<std::size_t>(index(intervall))));
}

Intervall intervallAusIndex(int i) {
    Q_ASSERT(i >= 0 && i < kIntervallAnzahl);
    return static_cast<Intervall>(i);
}

bool faellig(Intervall intervall, int sekunde, int minute) {
    switch (intervall) {
    case Intervall::i1s:
        return true;
    case Intervall::i2s:
        return sekunde % 2 == 0;
    case Intervall::i5s:
        return sekunde % 5 == 0;
    case Intervall::i10s:
        return sekunde % 10 == 0;
    case Intervall::i20s:
        return sekunde % 20 == 0;
    case Intervall::i30s:
        return sekunde % 30 == 0;
    case Intervall::i1m:
        return sekunde == 0;
    // The minute-based intervals are due on every tick of a matching minute, not only at its second 0.
    case Intervall::i2m:
        return minute % 2 == 0;
    case Intervall::i5m:
        return minute % 5 == 0;
    case Intervall::i10m:
        return minute % 10 == 0;
    case Intervall::i30m:
        return minute % 30 == 0;
    case Intervall::i1h:
        return minute == 0;
    }
    return false;
}

} // namespace recording
