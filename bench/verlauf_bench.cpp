// Figures for the page "Verlauf" on the 10-million-row file (one row a second from 1 January 2000, so every
// full day holds 86,400 rows). Run:
//   build/bench/gramura_bench_verlauf    (first run builds the file, about a minute)
// Counters: tag_ms for reading one full day and painting the chart, median over the iterations, at the
// chart's width in the window's design size and at a full-screen width; oeffnen_ms and oeffnen_p99_ms for
// the page switched to a random day of the file's 116 (the last partly filled, a few beyond its end empty).
#include "benchdatenbank.h"
#include "benchmain.h"
#include "recording/uhr.h"
#include "shell/panverlauf.h"
#include "shell/verlaufsdiagramm.h"

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

class FesteUhr final : public recording::Uhr {
public:
    QDateTime jetzt() const override { return QDateTime(QDate(2000, 2, 1), QTime(12, 0)); }
};

double ms(const QElapsedTimer& uhr) {
    return static_cast<double>(uhr.nsecsElapsed()) / 1e6;
}

struct Seite {
    explicit Seite(int breite) : pfad(bench::datenbank(10'000'000)), seite([this] { return pfad; }, uhr) {
        seite.resize(breite, 258 * breite / 565); // the page at the design size's proportions
        seite.show();
        seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
    }
    // Switch to the page on that day, painted.
    void oeffnen(const QDate& tag) {
        seite.dtptag()->setDate(tag);
        seite.tabkenn_Switch(shell::PanVerlauf::kIndex);
        benchmark::DoNotOptimize(seite.grab());
    }
    QString pfad;
    FesteUhr uhr;
    shell::PanVerlauf seite;
};

void BM_tagLesenUndZeichnen(benchmark::State& state) {
    Seite s(static_cast<int>(state.range(0)));
    std::vector<double> dauer;
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        s.oeffnen(QDate(2000, 2, 1));
        dauer.push_back(ms(uhr));
        state.SetIterationTime(dauer.back() / 1000.0);
    }
    state.counters["tag_ms"] = bench::perzentil(dauer, 0.5);
    state.counters["zeilen"] = static_cast<double>(s.seite.picverlauf()->werte().anzahl);
    state.counters["spalten"] = s.seite.picverlauf()->werte().spalten;
}
BENCHMARK(BM_tagLesenUndZeichnen)->Arg(565)->Arg(1900)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_beliebigenTagOeffnen(benchmark::State& state) {
    Seite s(565);
    QRandomGenerator zufall(11);
    std::vector<double> dauer;
    for (auto _ : state) {
        const QDate tag = QDate(2000, 1, 1).addDays(zufall.bounded(120));
        QElapsedTimer uhr;
        uhr.start();
        s.oeffnen(tag);
        dauer.push_back(ms(uhr));
        state.SetIterationTime(dauer.back() / 1000.0);
    }
    state.counters["oeffnen_ms"] = bench::perzentil(dauer, 0.5);
    state.counters["oeffnen_p99_ms"] = bench::perzentil(dauer, 0.99);
}
BENCHMARK(BM_beliebigenTagOeffnen)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::benchmarkMain<QApplication>(argc, argv);
}
