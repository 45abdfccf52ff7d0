#pragma once

#include <QList>
#include <QString>

namespace platform {

// The device the platform calls port number n (1-based): COMn on Windows, /dev/ttyS<n-1> elsewhere.
QString defaultSerialDevice(int number);

// One serial device present on this computer.
struct SerialDevice {
    // The name to open and to keep: the stable /dev/serial/by-id link where there is one, since an adapter
    // plugged into another socket or found in another order keeps it; else the device itself.
    QString pfad;
    // The device itself (/dev/ttyUSB0, COM5).
    QString ort;
    // A short text for a list: the device's own name and what the adapter calls itself.
    QString kurz;
};

// The serial devices of this computer, and what can be told about a device that would not open. The
// methods are virtual so that tests can put a fake in place.
class SerialDevices {
public:
    enum class Zustand { Vorhanden, Fehlt, KeinZugriff };

    SerialDevices() = default;
    virtual ~SerialDevices() = default;
    SerialDevices(const SerialDevices&) = delete;
    SerialDevices& operator=(const SerialDevices&) = delete;

    // Those present at this moment, ordered by name.
    virtual QList<SerialDevice> vorhandene() const;
    // Whether the device is there and this user may read it.
    virtual Zustand zustand(const QString& pfad) const;
    // The group owning the device file; empty where the platform has no such thing.
    virtual QString gruppe(const QString& pfad) const;
};

} // namespace platform
