#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QString>

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

    // "Zentrale nicht erreichbar seit 10:42 – 37 Gewichte warten"; empty while all is well.
    QString zeile(const QDateTime& jetzt) const;
    // The words for a kind of fault, the same in the status band and in the check of the connection; empty
    // for InOrdnung.
    static QString lageText(Lage lage);
    // "Zentrale: 3 Gewichte mit einem Wert übertragen, den sie nicht annehmen kann …"; empty for none.
    QString ungueltigZeile() const;
};

} // namespace zentrale

Q_DECLARE_METATYPE(zentrale::ZentraleZustand)
