#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <functional>

namespace zentrale {

// How the sending to the central server stands, as the window shows it in one line.
struct ZentraleZustand {
    enum class Lage {
        InOrdnung,           // the server takes the rows; nothing to show
        NichtErreichbar,     // no connection (server down, network gone, name unknown)
        AnmeldungAbgelehnt,  // wrong password or user, or not allowed in
        SchreibenAbgelehnt,  // connected, but the rows are refused (read-only replica, disk full, no right)
        ZuLangsam,           // the statement ran into its time limit
        FalschEingerichtet,  // the connection text itself is wrong
        ZertifikatAbgelehnt, // the server's TLS certificate is not one the given CA vouches for
        TreiberFehlt,        // the database driver or a library it needs does not load; `meldung` names the file
    };

    Lage lage = Lage::InOrdnung;
    // Local time since which the current fault lasts.
    QDateTime seit;
    // Negative when unknown.
    qint64 wartend = 0;
    // The server's or the driver's own words, never with a password.
    QString meldung;
    // Rows sent since the start with a value the server could not take (sent as empty and noted there).
    qint64 ungueltig = 0;

    // "Zentrale nicht erreichbar seit 10:42 – 37 Gewichte warten"; empty while all is well. A missing driver
    // lasts until it is installed, and the sender no longer looks: no time, no count, only the file,
    // "PostgreSQL-Treiber fehlt: libpq.dll".
    QString zeile(const QDateTime& jetzt) const;
    // The words for a kind of fault, the same in the status band and in the check of the connection; empty
    // for InOrdnung.
    static QString lageText(Lage lage);
    // "Zentrale: 3 Gewichte mit einem Wert übertragen, den sie nicht annehmen kann …"; empty for none.
    QString ungueltigZeile() const;
};

// What of the database driver does not load on this computer ("libpq.dll"); empty when all of it does. Asked
// once by each sender and each check, on its own thread: a driver that does not load stays so until the files
// are installed, so it is not tried again and again.
using TreiberPruefung = std::function<QString()>;

} // namespace zentrale

Q_DECLARE_METATYPE(zentrale::ZentraleZustand)
