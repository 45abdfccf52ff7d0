#pragma once

#include "recording/speicher.h"

#include <QList>

// A weight store that remembers every row it was asked to store and fails while the test says so.
class FakeSpeicher final : public recording::Speicher {
public:
    struct Zeile {
        QString gewichtText;
        QDateTime jetzt;
    };

    bool speichern(const QString& gewichtText, const QDateTime& jetzt) override;
    QString fehler() const override { return m_fehler; }

    // Every call, stored or not.
    QList<Zeile> versuche;
    // Only the calls that succeeded.
    QList<Zeile> zeilen;
    bool gelingt = true;
    QString fehlerText = QStringLiteral("zel.mdb ist gesperrt");

private:
    QString m_fehler;
};
