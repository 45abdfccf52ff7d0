#include "portmapping.h"

#include "platform/serialdevices.h"
#include "platform/settingsstore.h"

#include <QRegularExpression>

namespace acquisition {

bool PortMapping::addOverride(const QString& assignment) {
    static const QRegularExpression form(QStringLiteral("^\\s*COM\\s*(\\d{1,2})\\s*=(.+)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(assignment);
    if (!match.hasMatch())
        return false;
    const int number = match.captured(1).toInt();
    const QString device = match.captured(2).trimmed();
    if (number < 1 || number > 32 || device.isEmpty())
        return false;
    m_overrides.insert(number, device);
    return true;
}

QString PortMapping::device(int number) const {
    if (const auto it = m_overrides.constFind(number); it != m_overrides.constEnd())
        return *it;
    const QString stored =
        m_store.read(QStringLiteral("Ports"), QStringLiteral("COM%1").arg(number), QString()).trimmed();
    if (!stored.isEmpty())
        return stored;
    return platform::defaultSerialDevice(number);
}

} // namespace acquisition
