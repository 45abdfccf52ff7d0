// Figures for the record list as the operator meets it: the grid on the page, on a real file. Run:
//   build/bench/gramura_bench_liste      (first run builds the 10-million-row file, about a minute)
// Counters: open_ms for reading the list plus painting the first screen; ende_ms for Ctrl+End to the
// oldest row, painted; mitte_ms for the scroll bar dragged to the middle, painted; rss_added_kib for the
// memory the list holds after 200 jumps across it; seiten for the pages it then keeps.
#include "benchdatenbank.h"
#include "benchmain.h"
#include "recording/gewichteliste.h"
#include "shell/gewichteraster.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <benchmark/benchmark.h>

namespace {

double ms(const QElapsedTimer& uhr) {
    return static_cast<double>(uhr.nsecsElapsed()) / 1e6;
}

struct Seite {
    explicit Seite(const QString& pfad) : liste(QLocale(QLocale::German, QLocale::Germany)) {
        liste.setPfad(pfad);
        raster.setListe(&liste);
        raster.resize(560, 250); // the grid at the window's design size
        raster.show();
    }
    void zeigen() { benchmark::DoNotOptimize(raster.grab()); }
    void taste(int key, Qt::KeyboardModifiers mit) {
        QKeyEvent druck(QEvent::KeyPress, key, mit);
        QApplication::sendEvent(&raster, &druck);
    }
    recording::GewichteListe liste;
    shell::GewichteRaster raster;
};

void BM_listeOeffnenUndErsterSchirm(benchmark::State& state) {
    Seite seite(bench::datenbank(state.range(0)));
    std::vector<double> dauer;
    for (auto _ : state) {
        QElapsedTimer uhr;
        uhr.start();
        seite.liste.abfragen();
        seite.raster.scrollToTop();
        seite.zeigen();
        dauer.push_back(ms(uhr));
        state.SetIterationTime(dauer.back() / 1000.0);
    }
    state.counters["open_ms"] = bench::perzentil(dauer, 0.5);
}
BENCHMARK(BM_listeOeffnenUndErsterSchirm)
    ->Arg(1'000)
    ->Arg(10'000'000)
    ->Iterations(30)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_listeSpruenge(benchmark::State& state) {
    const int anzahl = static_cast<int>(state.range(0));
    Seite seite(bench::datenbank(anzahl));
    std::vector<double> ende, mitte;
    for (auto _ : state) {
        // Each round from a freshly read list, as after a switch to the page.
        seite.liste.abfragen();
        seite.zeigen();
        QElapsedTimer uhr;
        uhr.start();
        seite.taste(Qt::Key_End, Qt::ControlModifier);
        seite.zeigen();
        ende.push_back(ms(uhr));
        uhr.start();
        seite.raster.verticalScrollBar()->setValue(anzahl / 2);
        seite.zeigen();
        mitte.push_back(ms(uhr));
        state.SetIterationTime((ende.back() + mitte.back()) / 1000.0);
    }
    state.counters["ende_ms"] = bench::perzentil(ende, 0.5);
    state.counters["mitte_ms"] = bench::perzentil(mitte, 0.5);
    state.counters["ende_p99_ms"] = bench::perzentil(ende, 0.99);
    state.counters["mitte_p99_ms"] = bench::perzentil(mitte, 0.99);

    // Memory after many jumps: bounded by the screen and the page cache, not by the rows visited.
    seite.liste.abfragen();
    seite.zeigen();
    const qint64 vorher = bench::rssKib();
    QRandomGenerator zufall(7);
    for (int i = 0; i < 200; ++i) {
        seite.raster.verticalScrollBar()->setValue(static_cast<int>(zufall.bounded(anzahl)));
        seite.zeigen();
    }
    state.counters["rss_added_kib"] = static_cast<double>(bench::rssKib() - vorher);
    state.counters["seiten"] = seite.liste.seitenImSpeicher();
}
BENCHMARK(BM_listeSpruenge)->Arg(10'000'000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return bench::benchmarkMain<QApplication>(argc, argv);
}
