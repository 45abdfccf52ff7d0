// The sender draining a backlog of recorded weights into a PostgreSQL server of its own over loopback,
// while the main thread runs the program's 100 ms tick and stores a row each second, as the program does.
// Prints rows per second and the tick's lateness (median, 99th percentile, worst).
//   gramura_bench_zentrale [ROWS [BATCH]]   (defaults 100000 and the program's batch size)
#include "benchdatenbank.h"
#include "pgcluster.h"
#include "recording/weightstore.h"
#include "zentrale/seitentabellen.h"
#include "zentrale/zeitbuchung.h"
#include "zentrale/zentralesender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// zel.mdb with a backlog: rows stored with their instant, none sent yet.
bool rueckstandAnlegen(const QString& pfad, qint64 anzahl) {
    if (!recording::vorlageErzeugen(pfad))
        return false;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("anlegen"));
        db.setDatabaseName(pfad);
        ok = db.open();
        QString fehler;
        ok = ok && zentrale::Seitentabellen::einrichten(db, &fehler);
        QSqlQuery query(db);
        ok = ok && query.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < "
                                             "%1) insert into Gewichte (Datum, Gewicht) select strftime('%Y-%m-%d "
                                             "%H:%M:%S', 1764547200 + i, 'unixepoch', 'localtime'), i / 10.0 from n")
                                  .arg(anzahl));
        ok = ok && query.exec(QStringLiteral("insert into zentrale_zeit (zeile, utc) select rowid, (1764547200 + "
                                             "rowid) * 1000 from Gewichte"));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("anlegen"));
    return ok;
}

double anteil(std::vector<double> werte, double p) {
    if (werte.empty())
        return 0;
    std::sort(werte.begin(), werte.end());
    return werte[std::min(werte.size() - 1, static_cast<size_t>(p * static_cast<double>(werte.size())))];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const qint64 anzahl = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 100000;
    QTemporaryDir ordner;
    const QString mdb = QDir(ordner.path()).filePath(QStringLiteral("zel.mdb"));
    if (!rueckstandAnlegen(mdb, anzahl)) {
        std::fprintf(stderr, "zel.mdb nicht angelegt\n");
        return 1;
    }
    PgCluster server;
    server.setDauerhaft(true);
    QString fehler;
    if (!server.starten(&fehler)) {
        std::fprintf(stderr, "%s\n", qPrintable(fehler));
        return 1;
    }

    zentrale::ZeitBuchung buchung;
    recording::WeightStore store;
    store.setBuchung(&buchung);
    if (!store.oeffnen(mdb)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.fehler()));
        return 1;
    }
    zentrale::ZentraleTakt takt;
    if (argc > 2)
        takt.stapelGroesse = QString::fromLocal8Bit(argv[2]).toInt();
    zentrale::ZentraleSender sender(*zentrale::ZentraleAdresse::lesen(server.conninfo(), nullptr),
                                    QStringLiteral("bench"), mdb, takt);

    std::vector<double> verspaetung;
    QElapsedTimer uhr;
    QElapsedTimer gesamt;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(100);
    double erwartet = 100.0;
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        const double jetzt = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
        verspaetung.push_back(jetzt - erwartet);
        erwartet = jetzt + 100.0;
        // The recording tick, once a second.
        if (++ticks % 10 == 0)
            store.speichern(QStringLiteral("1,5"), QDateTime::currentDateTime());
    });
    QObject::connect(&sender, &zentrale::ZentraleSender::zustandGeaendert, &app,
                     [&](const zentrale::ZentraleZustand& z) {
                         if (z.lage != zentrale::ZentraleZustand::Lage::InOrdnung) {
                             std::fprintf(stderr, "Fehler: %s\n", qPrintable(z.meldung));
                             app.exit(1);
                         } else if (z.wartend == 0) {
                             app.quit();
                         }
                     });
    uhr.start();
    gesamt.start();
    tick.start();
    sender.start();
    const int rc = app.exec();
    const double sekunden = static_cast<double>(gesamt.elapsed()) / 1000.0;
    sender.beenden(-1);
    const auto gesendet = server.abfrage(QStringLiteral("select count(*) from gewichte"));
    std::printf("rows on the server   %s (backlog %lld + rows recorded meanwhile)\n",
                qPrintable(gesendet.value_or(QStringLiteral("?"))), static_cast<long long>(anzahl));
    std::printf("drain                %.2f s, %.0f rows/s\n", sekunden, static_cast<double>(anzahl) / sekunden);
    std::printf("100 ms tick lateness median %.2f ms, p99 %.2f ms, worst %.2f ms (%zu ticks)\n",
                anteil(verspaetung, 0.5), anteil(verspaetung, 0.99), anteil(verspaetung, 1.0), verspaetung.size());
    return rc;
}
