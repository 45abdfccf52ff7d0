#include "zentralepruefung.h"

#include "recording/datenquelle.h"
#include "seitentabellen.h"
#include "zentraleserver.h"

#include <QSqlQuery>
#include <QThread>

namespace zentrale {

namespace {

constexpr int kFristMs = 10000;

QString grund(const ZentraleServer::Fehler& f) {
    using Lage = ZentraleZustand::Lage;
    const QString was = ZentraleZustand::lageText(f.lage == Lage::InOrdnung ? Lage::NichtErreichbar : f.lage);
    return f.text.isEmpty() ? was : was + QStringLiteral(": ") + f.text;
}

// Read only, so the check never writes into the file the window records into; -1 when it cannot be read.
qint64 wartende(const QString& pfad, const QString& server) {
    recording::Datenquelle quelle(
        QStringLiteral("zentrale_pruefung_%1").arg(quintptr(QThread::currentThreadId()), 0, 16));
    if (!quelle.oeffnenZumLesen(pfad))
        return -1;
    qint64 anzahl = -1;
    {
        QSqlDatabase db = quelle.db();
        Seitentabellen::Stapel stapel;
        if (Seitentabellen::stapelLesen(db, server, 0, &stapel, nullptr)) {
            anzahl = stapel.wartend;
        } else {
            // A file that never had a server configured: every row waits.
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT count(*) FROM Gewichte")) && query.next())
                anzahl = query.value(0).toLongLong();
        }
    }
    quelle.schliessen();
    return anzahl;
}

} // namespace

ZentralePruefung::Ergebnis ZentralePruefung::pruefen(const ZentraleAdresse& adresse, const QString& datenbankPfad,
                                                     const TreiberPruefung& treiber) {
    Ergebnis e;
    if (const QString fehlt = treiber ? treiber() : QString(); !fehlt.isEmpty()) {
        e.zeile = grund({ZentraleZustand::Lage::TreiberFehlt, fehlt});
        return e;
    }
    ZentraleServer server(
        adresse, QStringLiteral("zentrale_pruefung_server_%1").arg(quintptr(QThread::currentThreadId()), 0, 16),
        kFristMs);
    ZentraleServer::Fehler fehler;
    if (!server.bereit(&fehler)) {
        e.zeile = grund(fehler);
        return e;
    }
    e.erreicht = true;
    e.zeile = QStringLiteral("Zentrale erreicht (%1), Tabelle gewichte %2")
                  .arg(adresse.anzeige(),
                       server.tabelleAngelegt() ? QStringLiteral("angelegt") : QStringLiteral("vorhanden"));
    const qint64 anzahl = wartende(datenbankPfad, server.kennung());
    if (anzahl == 1)
        e.zeile += QStringLiteral(", 1 Gewicht wartet");
    else if (anzahl >= 0)
        e.zeile += QStringLiteral(", %1 Gewichte warten").arg(anzahl);
    server.trennen();
    return e;
}

} // namespace zentrale
