#pragma once

#include "platform/serialdevices.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace acquisition {

// One entry of the port list.
struct PortEintrag {
    // "COM 5", or a device's short name.
    QString text;
    // The device behind it, for the tooltip.
    QString tip;
    // For an entry after "COM 32": the device to open and to store. Empty for a "COM n".
    QString geraet;

    friend bool operator==(const PortEintrag&, const PortEintrag&) = default;
};

// What the port list offers: "COM 1" to "COM 32", then each serial device present that none of them stands
// for already. Windows lists its ports under two names, COM5 and \\.\COM5, which both are "COM 5".
class PortListe {
public:
    static constexpr int kComAnzahl = 32;

    // comGeraete: the devices behind "COM 1" to "COM 32", in that order.
    static QList<PortEintrag> bilden(const QStringList& comGeraete, const QList<platform::SerialDevice>& vorhandene);

    // The number n of a device that Windows calls COMn (also \\.\COMn, any case); 0 for any other.
    static int comNummer(const QString& geraet);
    // Whether two device names name the same port.
    static bool gleich(const QString& a, const QString& b);
};

} // namespace acquisition
