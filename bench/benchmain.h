#pragma once
// The main of the Google Benchmark programs that need Qt's event machinery: the application object first,
// then the benchmarks. Widget benchmarks draw offscreen unless the caller picked a platform.
#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <type_traits>

namespace bench {

template <typename Anwendung> int benchmarkMain(int argc, char** argv) {
    if (!std::is_same_v<Anwendung, QCoreApplication> && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Anwendung app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
