#pragma once

#include "platform/serialdevices.h"

#include <QMap>

// The serial devices the test says are there; a device not listed is missing unless its state is set.
class FakeSerialDevices final : public platform::SerialDevices {
public:
    QList<platform::SerialDevice> vorhandene() const override { return geraete; }
    Zustand zustand(const QString& pfad) const override;
    QString gruppe(const QString& pfad) const override { return gruppen.value(pfad); }

    QList<platform::SerialDevice> geraete;
    QMap<QString, Zustand> zustaende;
    QMap<QString, QString> gruppen;
};
