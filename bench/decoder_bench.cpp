// How many characters a second the decoder takes, as a multiple of what the line can deliver (240).
#include "acquisition/telegramdecoder.h"

#include <benchmark/benchmark.h>
#include <random>
#include <string>

namespace {

constexpr double kLineRate = 240.0;

// A minute of a busy line: changing weights, some negative, one telegram in forty damaged.
std::string lineStream() {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> oneIn(0, 39);
    std::string stream;
    while (stream.size() < 240 * 60) {
        std::string display = oneIn(random) == 0 ? "-" : std::to_string(digit(random));
        for (int i = 0; i < 3; ++i)
            display += std::to_string(digit(random));
        // Appended one piece at a time: GCC 12 at -O3 warns (-Wrestrict) on the temporary of a "." + … chain.
        display += '.';
        display += std::to_string(digit(random));
        display += std::to_string(digit(random));
        if (oneIn(random) == 0)
            display[3] = 'E';
        stream += '=';
        stream.append(display.rbegin(), display.rend());
    }
    return stream;
}

void report(benchmark::State& state, std::size_t bytes) {
    const auto total = static_cast<double>(bytes) * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(total));
    state.counters["chars/s"] = benchmark::Counter(total, benchmark::Counter::kIsRate);
    state.counters["times_line_rate"] = benchmark::Counter(total / kLineRate, benchmark::Counter::kIsRate);
}

void BM_DecodeTelegrams(benchmark::State& state) {
    const std::string stream = lineStream();
    const int komma = static_cast<int>(state.range(0));
    for (auto _ : state) {
        acquisition::TelegramDecoder decoder;
        std::size_t shown = 0;
        for (const char c : stream) {
            if (auto text = decoder.feed(c, komma))
                shown += text->size();
        }
        benchmark::DoNotOptimize(shown);
    }
    report(state, stream.size());
}
BENCHMARK(BM_DecodeTelegrams)->Arg(0)->Arg(1);

// Noise without "=": the worst case for a buffer without bound, and the reason it has one.
void BM_DecodeNoise(benchmark::State& state) {
    std::string noise(240 * 60, '7');
    for (auto _ : state) {
        acquisition::TelegramDecoder decoder;
        std::size_t shown = 0;
        for (const char c : noise) {
            if (auto text = decoder.feed(c, 0))
                shown += text->size();
        }
        benchmark::DoNotOptimize(shown);
        benchmark::DoNotOptimize(decoder.puffer().size());
    }
    report(state, noise.size());
}
BENCHMARK(BM_DecodeNoise);

} // namespace

BENCHMARK_MAIN();
