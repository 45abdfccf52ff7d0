#include "fakeserialdevices.h"

platform::SerialDevices::Zustand FakeSerialDevices::zustand(const QString& pfad) const {
    if (const auto it = zustaende.constFind(pfad); it != zustaende.constEnd())
        return *it;
    for (const platform::SerialDevice& g : geraete) {
        if (g.pfad == pfad || g.ort == pfad)
            return Zustand::Vorhanden;
    }
    return Zustand::Fehlt;
}
