// SPDX-License-Identifier: MIT
// Timings of the number layer and the cost rules, each against a plain
// reference measured in the same run; the ratios carry from machine to
// machine where the times do not. Not a test: run it by hand on a quiet
// machine (see docs/benchmarks.md).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/reference.h"
#include "core/cost_rules.h"
#include "core/numbers.h"

namespace {

using namespace ostrel;

// Four field texts, with both separators; the reference reads each in the
// plain form that std::from_chars takes.
struct Input {
    std::string_view text;
    std::string_view separator;
    std::string_view plain;
};
constexpr Input kTexts[] = {{"12", ".", "12"},
                            {"-2.5e3", ".", "-2.5e3"},
                            {"99999999", ",", "99999999"},
                            {" 1000,5 ", ",", "1000.5"}};

void BM_TextToWhole(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const Input& input = kTexts[i++ & 3];
        benchmark::DoNotOptimize(TextToWhole(input.text, input.separator));
    }
}
// Each benchmark runs in repetitions interleaved at random with the others'
// (see main), and the ratios use the fastest repetition of each: noise from
// the rest of the machine only ever adds time.
double Fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}
#define OSTREL_BENCHMARK(function) BENCHMARK(function)->ComputeStatistics("min", Fastest)

OSTREL_BENCHMARK(BM_TextToWhole);

void BM_FromChars(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string_view text = kTexts[i++ & 3].plain;
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
    }
}
OSTREL_BENCHMARK(BM_FromChars);

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
OSTREL_BENCHMARK(BM_EpCost);

void BM_UncheckedCost(benchmark::State& state) {
    std::int64_t fv = 10;
    std::int64_t gev = 12;
    std::int64_t fvb = 46000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fv);
        benchmark::DoNotOptimize(gev);
        benchmark::DoNotOptimize(fvb);
        benchmark::DoNotOptimize(bench::UncheckedCost(fv, gev, fvb));
    }
}
OSTREL_BENCHMARK(BM_UncheckedCost);

// The largest budget the entry checks let through: 1413 points, which the
// reference buys in 1414 loop tests and FvbReach counts in closed form.
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
OSTREL_BENCHMARK(BM_FvbReachWorstCase);

void BM_UncheckedReachWorstCase(benchmark::State& state) {
    std::int64_t fv = 0;
    std::int64_t gev = 0;
    std::int64_t ep = 1000000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fv);
        benchmark::DoNotOptimize(gev);
        benchmark::DoNotOptimize(ep);
        benchmark::DoNotOptimize(bench::UncheckedReach(fv, gev, ep));
    }
}
OSTREL_BENCHMARK(BM_UncheckedReachWorstCase);

// Prints what Google Benchmark prints, and keeps each benchmark's time per
// iteration (the fastest repetition where there are repetitions) for the
// ratios.
class RatioReporter final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "min") {
                nanoseconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
            }
        }
    }

    void PrintRatios() const {
        struct Pair {
            const char* measured;
            const char* reference;
            const char* what;
        };
        const Pair pairs[] = {
            {"BM_FvbReachWorstCase", "BM_UncheckedReachWorstCase",
             "FvbReach(0, 0, 1000000) / buying point by point unchecked in 64 bits"},
            {"BM_TextToWhole", "BM_FromChars", "TextToWhole / std::from_chars of the plain text"},
            {"BM_EpCost", "BM_UncheckedCost", "EpCost(10, 12, 46000) / the same formula unchecked"},
        };
        std::printf("\nratios, measured in this run:\n");
        for (const Pair& pair : pairs) {
            const auto measured = nanoseconds_.find(pair.measured);
            const auto reference = nanoseconds_.find(pair.reference);
            if (measured == nanoseconds_.end() || reference == nanoseconds_.end()) {
                continue;  // filtered out
            }
            std::printf("  %5.2fx  %s\n", measured->second / reference->second, pair.what);
        }
    }

  private:
    std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv) {
    // Unless told otherwise: 15 repetitions of each, interleaved at random,
    // and only their statistics shown.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=15";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.begin() + 1, {repetitions, interleave, aggregates});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
