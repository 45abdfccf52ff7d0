#pragma once

#include "zentraleadresse.h"
#include "zentralezustand.h"
#include "zentralzeile.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace recording {

// The connection to the central PostgreSQL server, on the thread that created it. Makes the table when it
// is missing and hands rows over in one statement per batch; a row the server already has is dropped
// there, so a batch sent twice is harmless.
class ZentraleServer {
public:
    struct Fehler {
        ZentraleZustand::Lage lage = ZentraleZustand::Lage::InOrdnung;
        QString text;
    };

    ZentraleServer(ZentraleAdresse adresse, const QString& verbindung, int anweisungsFristMs);
    ~ZentraleServer();
    ZentraleServer(const ZentraleServer&) = delete;
    ZentraleServer& operator=(const ZentraleServer&) = delete;

    // Connected and the table there; connects when needed.
    bool bereit(Fehler* fehler);
    // True only once the server has committed every row.
    bool senden(const QString& station, const QList<ZentralZeile>& zeilen, Fehler* fehler);
    void trennen();

    // The statement for a batch, built with the driver's own quoting.
    static QString einfuegenSql(const QSqlDatabase& db, const QString& station, const QList<ZentralZeile>& zeilen);
    // The server table's definition, the same text as the file shipped for administrators.
    static QString tabellenSql();
    // Which kind of fault a failed statement or connection is.
    static ZentraleZustand::Lage einordnen(const QString& sqlState, const QString& text, bool beimVerbinden);

private:
    bool verbinden(Fehler* fehler);
    Fehler fehlerAus(const class QSqlError& e, bool beimVerbinden) const;

    ZentraleAdresse m_adresse;
    QString m_verbindung;
    int m_anweisungsFristMs;
    bool m_tabelleDa = false;
};

} // namespace recording
