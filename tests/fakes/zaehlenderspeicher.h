#pragma once

#include "recording/speicher.h"

#include <QDateTime>
#include <QList>

// Passes every row on to a real store and counts what the rules asked for and what the store reported
// stored, so a test on real files sees at which ticks rows were tried.
class ZaehlenderSpeicher final : public recording::Speicher {
public:
    explicit ZaehlenderSpeicher(recording::Speicher& echt) : m_echt(echt) {}

    bool speichern(const QString& gewichtText, const QDateTime& jetzt) override {
        versuche << jetzt;
        const bool ok = m_echt.speichern(gewichtText, jetzt);
        gespeichert += ok ? 1 : 0;
        return ok;
    }
    QString fehler() const override { return m_echt.fehler(); }

    QList<QDateTime> versuche;
    int gespeichert = 0;

private:
    recording::Speicher& m_echt;
};
