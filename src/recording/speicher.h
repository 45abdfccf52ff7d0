#pragma once

#include <QDateTime>
#include <QString>

namespace recording {

// Where the recording tick stores a row: the weight text as shown and the moment of storing.
class Speicher {
public:
    Speicher() = default;
    virtual ~Speicher() = default;
    Speicher(const Speicher&) = delete;
    Speicher& operator=(const Speicher&) = delete;

    // True only when the row is durably stored; on false, fehler() says why, in German, naming the file.
    virtual bool speichern(const QString& gewichtText, const QDateTime& jetzt) = 0;
    virtual QString fehler() const = 0;
};

} // namespace recording
