#include "telegram.h"

#include <algorithm>

namespace sim {

QByteArray formatDisplay(qint64 hundredths) {
    const qint64 value = std::clamp(hundredths, kMinHundredths, kMaxHundredths);
    const bool negative = value < 0;
    const qint64 magnitude = negative ? -value : value;
    QByteArray digits =
        QByteArray::number(magnitude / 100) + '.' + QByteArray::number(magnitude % 100).rightJustified(2, '0');
    const int width = negative ? kDisplayWidth - 1 : kDisplayWidth;
    digits = digits.rightJustified(width, '0');
    return negative ? '-' + digits : digits;
}

QByteArray encodeTelegram(const QByteArray& display) {
    QByteArray telegram(1, '=');
    telegram.append(display);
    std::reverse(telegram.begin() + 1, telegram.end());
    return telegram;
}

std::optional<QByteArray> displayFromText(const QString& text) {
    const QByteArray raw = text.toLatin1();
    if (raw.isEmpty() || raw.size() > kDisplayWidth)
        return std::nullopt;
    if (raw.startsWith('-'))
        return '-' + raw.mid(1).rightJustified(kDisplayWidth - 1, '0');
    return raw.rightJustified(kDisplayWidth, '0');
}

} // namespace sim
