#pragma once

#include "zentralzeile.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace zentrale {

// What the central store keeps in zel.mdb, in tables of its own beside Gewichte (whose columns stay as the
// list and earlier versions of the program know them):
//   zentrale_datei     the file's identity, created at its first opening with the central store configured;
//                      the template carries none, so every copy gets its own
//   zentrale_zeit      the UTC instant of each row, written in the transaction that stores the row
//   zentrale_gesendet  per server, the highest rowid of Gewichte the server has committed
//   zentrale_ausgang   rows of earlier files the server has not committed yet ("&Löschen" moves them here)
//   zentrale_server    which server each address reached when last connected
// Rows are sent in rowid order and the program only appends, so one mark per server says what was sent.
// A server is known by what it says it is once connected (its system identifier and database), not by the
// text of its address: two service entries for two servers have two marks, two ways of writing one server
// share one.
class Seitentabellen {
public:
    // Creates the tables and the file identity where missing. `schema` is "main" or an attached file.
    static bool einrichten(QSqlDatabase& db, QString* fehler, const QString& schema = QStringLiteral("main"));
    // The file's identity; empty when it has none yet.
    static QString kennung(QSqlDatabase& db, const QString& schema = QStringLiteral("main"));

    struct Stapel {
        QList<ZentralZeile> zeilen;
        // The file the rows of Gewichte came from, and the highest rowid among them (0 when none).
        QString datei;
        qint64 bisZeile = 0;
        // Rows not yet committed at this server, this batch included.
        qint64 wartend = 0;
        // The mark stood above the highest rowid: rows were deleted at the end of Gewichte, and SQLite hands
        // their numbers out again. stapelLesen read as from the highest rowid; markeSenken keeps it so.
        bool markeZuHoch = false;
        qint64 hoechsteZeile = 0;
    };
    // Up to `hoechstens` rows the server `server` has not committed, oldest first: the outbox, then Gewichte.
    static bool stapelLesen(QSqlDatabase& db, const QString& server, int hoechstens, Stapel* stapel, QString* fehler);
    // After the server committed the batch: its rows leave the outbox (wherever a "&Löschen" meanwhile put
    // them) and, when the file is still the one they were read from, the mark moves on.
    static bool gesendetMarkieren(QSqlDatabase& db, const QString& server, const Stapel& stapel, QString* fehler);

    // Lowers the server's mark to `bis` where it stands higher.
    static bool markeSenken(QSqlDatabase& db, const QString& server, qint64 bis, QString* fehler);

    // The server an address reached when last connected; `frueher` (the key an earlier version kept its mark
    // under) when it never did.
    static QString serverFuer(QSqlDatabase& db, const QString& adresse, const QString& frueher);
    // After a connection: remembers which server the address reached, and moves what was kept under
    // `frueher` (mark and outbox) over to the server.
    static bool serverZuordnen(QSqlDatabase& db, const QString& adresse, const QString& frueher, const QString& server,
                               QString* fehler);

    // Inside "&Löschen": the old file is `main`, the new one attached as `neu`. Everything the server
    // `server` has not committed moves into the new file's outbox; outbox rows for other servers go along.
    static bool nachlassUebertragen(QSqlDatabase& alt, const QString& server, QString* fehler);
};

} // namespace zentrale
