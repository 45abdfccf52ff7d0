#pragma once

#include "zentraleadresse.h"
#include "zentralezustand.h"
#include "zentralwerte.h"
#include "zentralzeile.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace zentrale {

// The connection to the central PostgreSQL server, on the thread that created it. Makes the table when it
// is missing and hands rows over in one transaction per batch. A row whose identity (station, file, row)
// the server already holds with the same values is dropped there, so a batch sent twice is harmless; one
// it holds with other values (a restored backup of zel.mdb, a copy recording on another computer, a row
// number handed out again after a delete) arrives all the same, under an identity derived from it and
// with `abweichung_von` naming the file it came from.
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

    struct Ergebnis {
        int ungueltig = 0;  // rows that went with a value the server could not take left empty
        int abweichend = 0; // rows whose identity the server held with other values
    };

    // Connected and the table there; connects when needed.
    bool bereit(Fehler* fehler);
    // Which server and database the connection reached, the same under every way of writing its address
    // (a service entry, hostaddr, PG* variables): its system identifier and the database's name. Empty
    // before the first connection.
    QString kennung() const { return m_kennung; }
    // Whether this connection found the table missing and made it.
    bool tabelleAngelegt() const { return m_tabelleAngelegt; }
    // True only once the server has committed every row.
    bool senden(const QString& station, const QList<ZentralZeile>& zeilen, Ergebnis* ergebnis, Fehler* fehler);
    void trennen();

    // The statements for a batch, built with the driver's own quoting: the insert of rows new to the
    // server, which returns their identities, and the insert of those it held with other values.
    // `mitVermerk`: the table has the columns ungueltig and abweichung_von.
    static QString einfuegenSql(const QSqlDatabase& db, const QString& station, const QList<ZentralWerte>& zeilen,
                                bool mitVermerk = true);
    static QString abweichendeSql(const QSqlDatabase& db, const QString& station, const QList<ZentralWerte>& zeilen,
                                  bool mitVermerk = true);
    // The server table's definition, the same text as the file shipped for administrators.
    static QString tabellenSql();
    // Which kind of fault a failed statement or connection is.
    static ZentraleZustand::Lage einordnen(const QString& sqlState, const QString& text, bool beimVerbinden);

private:
    bool verbinden(Fehler* fehler);
    bool tabelleEinrichten(Fehler* fehler);
    Fehler fehlerAus(const class QSqlError& e, bool beimVerbinden) const;

    ZentraleAdresse m_adresse;
    QString m_verbindung;
    int m_anweisungsFristMs;
    bool m_tabelleDa = false;
    bool m_mitVermerk = true;
    bool m_tabelleAngelegt = false;
    bool m_vermerkGemeldet = false;
    QString m_kennung;
};

} // namespace zentrale
