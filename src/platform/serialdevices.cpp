#include "serialdevices.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>

namespace platform {

QString defaultSerialDevice(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QList<SerialDevice> SerialDevices::vorhandene() const {
#ifdef Q_OS_WIN
    const QHash<QString, QString> stabil;
#else
    // udev keeps one link per adapter here, named after its vendor, model and serial number.
    QHash<QString, QString> stabil;
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    for (const QFileInfo& link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        stabil.insert(link.canonicalFilePath(), link.absoluteFilePath());
#endif
    QList<SerialDevice> liste;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice geraet;
        geraet.ort = info.systemLocation();
        geraet.pfad = stabil.value(QFileInfo(geraet.ort).canonicalFilePath(), geraet.ort);
        geraet.kurz = info.portName();
        if (!info.description().isEmpty())
            geraet.kurz += QStringLiteral(" – ") + info.description();
        liste << geraet;
    }
    std::sort(liste.begin(), liste.end(), [](const SerialDevice& a, const SerialDevice& b) { return a.ort < b.ort; });
    return liste;
}

SerialDevices::Zustand SerialDevices::zustand(const QString& pfad) const {
#ifdef Q_OS_WIN
    // COM ports are no files; the system's list of ports is what tells.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(pfad, Qt::CaseInsensitive) == 0 ||
            info.systemLocation().compare(pfad, Qt::CaseInsensitive) == 0)
            return Zustand::Vorhanden;
    }
    return Zustand::Fehlt;
#else
    const QFileInfo datei(pfad);
    if (!datei.exists())
        return Zustand::Fehlt;
    return datei.isReadable() ? Zustand::Vorhanden : Zustand::KeinZugriff;
#endif
}

QString SerialDevices::gruppe(const QString& pfad) const {
#ifdef Q_OS_WIN
    Q_UNUSED(pfad);
    return {};
#else
    // The group of the device the link points to, not of the link.
    return QFileInfo(QFileInfo(pfad).canonicalFilePath()).group();
#endif
}

} // namespace platform
