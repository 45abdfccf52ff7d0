#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace recording {

// Books kept on the stored rows by someone the store does not know of (the central store notes each row's
// instant and steps its marks back), written right after the row's insert, in the row's transaction. The
// row is what counts: books that cannot be written never cost it.
class Buchung {
public:
    Buchung() = default;
    virtual ~Buchung() = default;
    Buchung(const Buchung&) = delete;
    Buchung& operator=(const Buchung&) = delete;

    // Once per opened file, on its connection; false (with the reason) when rows are to go without books.
    virtual bool vorbereiten(QSqlDatabase& db, QString* fehler) = 0;
    // Right after the row went in; false with the reason.
    virtual bool buchen(const QDateTime& jetzt, QString* fehler) = 0;
    // Before the connection closes: whatever was prepared on it goes.
    virtual void freigeben() = 0;
};

} // namespace recording
