// Timings of the number layer and the cost rules. Not a test: run it by hand
// on a quiet machine (see README).
#include <benchmark/benchmark.h>

#include "core/cost_rules.h"
#include "core/numbers.h"

namespace {

using namespace ostrel;

void BM_TextToWhole(benchmark::State& state) {
    struct Input {
        const char* text;
        const char* separator;
    };
    const Input inputs[] = {{"12", "."}, {"-2.5e3", "."}, {"99999999", ","}, {" 1000,5 ", ","}};
    std::size_t i = 0;
    for (auto _ : state) {
        const Input& input = inputs[i++ & 3];
        benchmark::DoNotOptimize(TextToWhole(input.text, input.separator));
    }
}
BENCHMARK(BM_TextToWhole);

void BM_EpCost(benchmark::State& state) {
    Checked32 fv = 10;
    Checked32 gev = 12;
    Checked32 fvb = 46000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fv);
        benchmark::DoNotOptimize(gev);
        benchmark::DoNotOptimize(fvb);
        benchmark::DoNotOptimize(EpCost(fv, gev, fvb));
    }
}
BENCHMARK(BM_EpCost);

// The longest loop the entry checks let through: 1414 loop tests.
void BM_FvbReachWorstCase(benchmark::State& state) {
    Checked32 fv = 0;
    Checked32 gev = 0;
    Checked32 ep = 1000000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fv);
        benchmark::DoNotOptimize(gev);
        benchmark::DoNotOptimize(ep);
        benchmark::DoNotOptimize(FvbReach(fv, gev, ep));
    }
}
BENCHMARK(BM_FvbReachWorstCase);

}  // namespace

BENCHMARK_MAIN();
