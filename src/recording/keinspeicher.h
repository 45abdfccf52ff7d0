#pragma once

#include "speicher.h"

namespace recording {

// Stands in while no weight store is connected: every store fails, and says so, so the window shows that
// nothing is being recorded instead of pretending to record.
class KeinSpeicher final : public Speicher {
public:
    bool speichern(const QString&, const QDateTime&) override { return false; }
    QString fehler() const override {
        return QStringLiteral("Keine Gewichtsdatenbank angebunden, es wird nichts gespeichert.");
    }
};

} // namespace recording
