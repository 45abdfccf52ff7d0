// Figures for the weight store and the record list. Run:
//   build/bench/gramura_bench_recording            (first run builds the 10-million-row file, about a minute)
// Counters: median_ms and p99_ms per speichern; open_ms for query plus first screen; rss_added_kib for the
// memory the open list adds.
#include "benchdatenbank.h"
#include "benchmain.h"
#include "recording/gewichteliste.h"
#include "recording/vorlage.h"
#include "recording/weightstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

using bench::benchOrdner;
using bench::datenbank;
using bench::perzentil;
using bench::rssKib;

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
    return bench::benchmarkMain<QCoreApplication>(argc, argv);
}
