// Figures for the weight store and the record list. Run:
//   build/bench/gramura_bench_recording            (first run builds the 10-million-row file, about a minute)
// Counters: median_ms and p99_ms per speichern; open_ms for query plus first screen; rss_added_kib for the
// memory the open list adds.
#include "recording/gewichteliste.h"
#include "recording/vorlage.h"
#include "recording/weightstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

QString benchOrdner() {
    const QString ordner = qEnvironmentVariableIsSet("GRAMURA_BENCH_DIR") ? qEnvironmentVariable("GRAMURA_BENCH_DIR")
                                                                          : QStringLiteral("/tmp/gramura-bench");
    QDir().mkpath(ordner);
    return ordner;
}

qint64 zeilen(const QString& pfad) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("zaehlen"));
        db.setDatabaseName(pfad);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select count(*) from Gewichte")) && query.next())
                n = query.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("zaehlen"));
    return n;
}

// A database with at least `anzahl` rows, one second apart; built in one statement, then back in WAL mode.
QString datenbank(qint64 anzahl) {
    const QString pfad = QDir(benchOrdner()).filePath(QStringLiteral("zel-%1.mdb").arg(anzahl));
    if (QFile::exists(pfad) && zeilen(pfad) >= anzahl)
        return pfad;
    recording::vorlageErzeugen(pfad);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("erzeugen"));
        db.setDatabaseName(pfad);
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        query.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        query.exec(QStringLiteral("PRAGMA cache_size=-200000"));
        query.exec(QStringLiteral(
                       "with recursive n(i) as (select 0 union all select i + 1 from n where i + 1 < %1) "
                       "insert into Gewichte (Datum, Gewicht) "
                       "select strftime('%Y-%m-%d %H:%M:%S', 946684800 + i, 'unixepoch'), (i % 100000) / 10.0 from n")
                       .arg(anzahl));
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("erzeugen"));
    return pfad;
}

qint64 rssKib() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> felder = statm.readAll().split(' ');
    return felder.size() > 1 ? felder[1].toLongLong() * 4 : 0;
}

double perzentil(std::vector<double> werte, double p) {
    if (werte.empty())
        return 0.0;
    std::sort(werte.begin(), werte.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(werte.size() - 1) + 0.5);
    return werte[std::min(index, werte.size() - 1)];
}

void BM_speichern(benchmark::State& state) {
    const qint64 anzahl = state.range(0);
    QString pfad;
    if (anzahl == 0) {
        pfad = QDir(benchOrdner()).filePath(QStringLiteral("zel-leer.mdb"));
        recording::vorlageErzeugen(pfad);
    } else {
        pfad = datenbank(anzahl);
    }
    recording::WeightStore store;
    if (!store.oeffnen(pfad)) {
        state.SkipWithError(qPrintable(store.fehler()));
        return;
    }
    std::vector<double> ms;
    QDateTime moment = QDateTime::currentDateTime();
    for (auto _ : state) {
        moment = moment.addSecs(1);
        QElapsedTimer uhr;
        uhr.start();
        const bool ok = store.speichern(QStringLiteral("1234,5"), moment);
        const double dauer = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
        state.SetIterationTime(dauer / 1000.0);
        ms.push_back(dauer);
        if (!ok)
            state.SkipWithError(qPrintable(store.fehler()));
    }
    state.counters["median_ms"] = perzentil(ms, 0.5);
    state.counters["p99_ms"] = perzentil(ms, 0.99);
}
BENCHMARK(BM_speichern)
    ->Arg(0)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Iterations(300)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_listeOeffnen(benchmark::State& state) {
    const QString pfad = datenbank(state.range(0));
    std::vector<double> ms;
    qint64 zuwachs = 0;
    for (auto _ : state) {
        const qint64 vorher = rssKib();
        QElapsedTimer uhr;
        uhr.start();
        recording::GewichteListe liste(QLocale(QLocale::German, QLocale::Germany));
        liste.setPfad(pfad);
        liste.abfragen();
        // The first screen of the grid: about thirty rows, both columns as displayed.
        for (int zeile = 0; zeile < std::min(30, liste.rowCount()); ++zeile) {
            benchmark::DoNotOptimize(liste.data(liste.index(zeile, 0)));
            benchmark::DoNotOptimize(liste.data(liste.index(zeile, 1)));
        }
        const double dauer = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
        zuwachs = std::max(zuwachs, rssKib() - vorher);
        state.SetIterationTime(dauer / 1000.0);
        ms.push_back(dauer);
    }
    state.counters["open_median_ms"] = perzentil(ms, 0.5);
    state.counters["rss_added_kib"] = static_cast<double>(zuwachs);
}
BENCHMARK(BM_listeOeffnen)->Arg(1'000)->Arg(10'000'000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
