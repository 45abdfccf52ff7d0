#include "gewichttext.h"

#include "zahlentext.h"

namespace recording {

double gewichtWert(const QString& gewichtText) {
    bool ok = false;
    const double wert = fuehrendeZahl(gewichtText).toDouble(&ok);
    return ok ? wert : 0.0;
}

std::optional<double> gespeichertesGewicht(const QVariant& wert) {
    if (wert.isNull() || !wert.isValid())
        return std::nullopt;
    switch (wert.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return wert.toDouble();
    default:
        break;
    }
    const QString text = wert.metaType().id() == QMetaType::QByteArray ? QString::fromUtf8(wert.toByteArray())
                                                                       : wert.toString();
    bool ok = false;
    const double zahl = fuehrendeZahl(text).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return zahl;
}

} // namespace recording
