#pragma once

#include <QString>
#include <array>
#include <optional>

namespace recording {

// The twelve recording intervals in the order in which every tick examines them.
enum class Intervall { i1s, i2s, i5s, i10s, i20s, i30s, i1m, i2m, i5m, i10m, i30m, i1h };
constexpr int kIntervallAnzahl = 12;

constexpr int index(Intervall intervall) {
    return static_cast<int>(intervall);
}

// The name part shared by the interval's controls and settings keys: "1s" for chk1s and txt1s.
QString intervallName(Intervall intervall);
Intervall intervallAusIndex(int index);

// Whether the interval is due at a tick with these seconds and minutes of the local time.
bool faellig(Intervall intervall, int sekunde, int minute);

// What the window's controls hold for one interval when the tick reads them.
struct IntervallWerte {
    int kontrollwert = 0;           // the check box: 0 off, 1 on, 2 grayed
    std::optional<qint64> schwelle; // ten-thousandths; none when the field holds no number
};

using Eingaben = std::array<IntervallWerte, kIntervallAnzahl>;

} // namespace recording
