#include "festkomma.h"

#include "zahlentext.h"

#include <cmath>

namespace recording::festkomma {

namespace {

// Adds one decimal digit to a magnitude, saturating at the limit instead of overflowing.
qint64 anhaengen(qint64 betrag, int ziffer) {
    if (betrag > (kGrenze - ziffer) / 10)
        return kGrenze;
    return betrag * 10 + ziffer;
}

} // namespace

std::optional<qint64> ausText(QStringView text) {
    const QString zahl = fuehrendeZahl(text);
    if (zahl.isEmpty())
        return std::nullopt;
    bool negativ = false;
    bool punktGelesen = false;
    qint64 betrag = 0;          // ten-thousandths, without the digits beyond the fourth decimal
    int nachkomma = 0;          // decimals taken into betrag so far
    int rundungsziffer = -1;    // the fifth decimal
    bool restNichtNull = false; // any non-zero digit after the fifth decimal

    for (QChar c : zahl) {
        if (c == u'-' || c == u'+') {
            negativ = c == u'-';
            continue;
        }
        if (c == u'.') {
            punktGelesen = true;
            continue;
        }
        const int ziffer = c.unicode() - u'0';
        if (!punktGelesen) {
            betrag = anhaengen(betrag, ziffer);
        } else if (nachkomma < 4) {
            betrag = anhaengen(betrag, ziffer);
            ++nachkomma;
        } else if (rundungsziffer < 0) {
            rundungsziffer = ziffer;
        } else if (ziffer != 0) {
            restNichtNull = true;
        }
    }
    for (; nachkomma < 4; ++nachkomma)
        betrag = anhaengen(betrag, 0);
    const bool aufrunden = rundungsziffer > 5 || (rundungsziffer == 5 && (restNichtNull || betrag % 2 != 0));
    if (aufrunden && betrag < kGrenze)
        ++betrag;
    return negativ ? -betrag : betrag;
}

qint64 ausTextOderNull(QStringView text) {
    return ausText(text).value_or(0);
}

qint64 ausDouble(double value) {
    const double skaliert = value * static_cast<double>(kEins);
    if (!(skaliert < static_cast<double>(kGrenze)))
        return std::isnan(skaliert) ? 0 : kGrenze;
    if (!(skaliert > -static_cast<double>(kGrenze)))
        return -kGrenze;
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<qint64>(std::nearbyint(skaliert));
}

double alsDouble(qint64 zehntausendstel) {
    return static_cast<double>(zehntausendstel) / static_cast<double>(kEins);
}

} // namespace recording::festkomma
