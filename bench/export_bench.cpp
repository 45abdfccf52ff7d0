// Figures for the CSV export on a real file. Run:
//   build/bench/gramura_bench_export     (first run builds the 10-million-row file, about a minute)
// Counters: zeilen written, zeilen_pro_s, rss_spitze_kib for the most memory the export added over the
// process's size before it (sampled after every block), datei_mib for the file's size. The file's rows are
// one a second from 1 January 2000; the period picks the first 12 days (1,036,800 rows) or everything.
#include "benchdatenbank.h"
#include "benchmain.h"
#include "recording/csvexport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

void BM_export(benchmark::State& state) {
    const QString datenbank = bench::datenbank(10'000'000);
    recording::Zeitraum zeitraum;
    if (state.range(0) > 0)
        zeitraum = {QDate(2000, 1, 1), QDate(2000, 1, 1).addDays(state.range(0) - 1)};
    const QString ziel = QDir(bench::benchOrdner()).filePath(QStringLiteral("export.csv"));
    qint64 zeilen = 0;
    qint64 spitze = 0;
    double sekunden = 0;
    for (auto _ : state) {
        const qint64 vorher = bench::rssKib();
        QElapsedTimer uhr;
        uhr.start();
        recording::CsvExport ausgabe(datenbank, zeitraum, ziel);
        if (!ausgabe.beginnen()) {
            state.SkipWithError(qPrintable(ausgabe.fehler()));
            return;
        }
        while (!ausgabe.gelesen()) {
            if (!ausgabe.weiter()) {
                state.SkipWithError(qPrintable(ausgabe.fehler()));
                return;
            }
            spitze = std::max(spitze, bench::rssKib() - vorher);
        }
        ausgabe.abschliessen();
        sekunden = static_cast<double>(uhr.nsecsElapsed()) / 1e9;
        zeilen = ausgabe.geschrieben();
        state.SetIterationTime(sekunden);
    }
    state.counters["zeilen"] = static_cast<double>(zeilen);
    state.counters["zeilen_pro_s"] = static_cast<double>(zeilen) / sekunden;
    state.counters["rss_spitze_kib"] = static_cast<double>(spitze);
    state.counters["datei_mib"] = static_cast<double>(QFileInfo(ziel).size()) / (1024.0 * 1024.0);
    QFile::remove(ziel);
}
// 12 days, then everything (0: no period).
BENCHMARK(BM_export)->Arg(12)->Arg(0)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    return bench::benchmarkMain<QCoreApplication>(argc, argv);
}
