#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace sim {

// The indicator shows seven characters, right-aligned and padded with zeros, with a "-" in front of a
// negative weight, and sends them as "=" followed by those seven characters in reverse order.
constexpr int kDisplayWidth = 7;
// Weights are kept in hundredths: the simulated indicator shows two decimals.
constexpr qint64 kMaxHundredths = 999999; // 9999.99
constexpr qint64 kMinHundredths = -99999; // -999.99

QByteArray formatDisplay(qint64 hundredths);
QByteArray encodeTelegram(const QByteArray& display);
// A display text given by hand ("12.50", "-1.5", "  OL  "): padded to seven characters with zeros (after a
// leading "-"); nothing when it is longer than seven characters or empty.
std::optional<QByteArray> displayFromText(const QString& text);

} // namespace sim
