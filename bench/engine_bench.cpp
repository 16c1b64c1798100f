// One whole calculation (8 parses, the search, 12 formats) per standard set
// and for the 56-pass empty-box case, and batch throughput in lines per second.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "common/calculation.h"
#include "report/batch.h"

using namespace velmora;

namespace {

// The six standard sets, and "tbd": empty boxes, the 56-pass search.
constexpr const char* kPresets[] = {"butterworth", "bessel", "cheb05", "cheb10",
                                    "cheb20",      "cheb30", "tbd"};

void Calculation(benchmark::State& state, int preset) {
    InputTexts inputs;
    ApplyPreset(inputs, preset);
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCalculation(inputs));
}

void BatchThroughput(benchmark::State& state) {
    std::string lines;
    for (int k = 0; k < 1000; ++k)
        lines += "1.847759\t1\t.765367\t1\t1\t1000\t0.01\t2000\n";
    for (auto _ : state) {
        std::istringstream in(lines);
        std::ostringstream out, err;
        benchmark::DoNotOptimize(RunBatch(in, out, err));
    }
    state.counters["lines_per_s"] = benchmark::Counter(
        1000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

const bool kRegistered = [] {
    for (const char* name : kPresets)
        benchmark::RegisterBenchmark((std::string("Calculation/") + name).c_str(), Calculation,
                                     *PresetControlId(name));
    benchmark::RegisterBenchmark("BatchThroughput/1000_lines", BatchThroughput);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
