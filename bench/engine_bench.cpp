// One whole calculation (8 parses, the search, 12 formats) per standard set
// and for the 56-pass empty-box case; batch throughput in lines per second;
// and the price of the exact texts: --batch against its plain-double floor
// on the same lines, alternated within each iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <sstream>
#include <string>

#include "batch_floor.h"
#include "common/calculation.h"
#include "report/batch.h"
#include "standard_sets.h"

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

// Realistic designs: a standard set at a frequency, capacitor, impedance
// level and R* a designer might choose, written as people write numbers.
std::string RealisticLines(int count) {
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> decade(0.0, 1.0);
    const auto logUniform = [&](double low, double high) {
        return low * std::pow(high / low, decade(random));
    };
    std::string lines;
    char text[256];
    for (int k = 0; k < count; ++k) {
        const StandardSet& set = StandardSets()[random() % 6];
        std::snprintf(text, sizeof text, "%s\t%s\t%s\t%s\t%.3g\t%.4g\t%.4g\t%.4g\n", set.AF1,
                      set.F1, set.AF2, set.F2, logUniform(1e-4, 10), logUniform(10, 1e5),
                      logUniform(1e-3, 10), logUniform(1e3, 1e5));
        lines += text;
    }
    return lines;
}

// Processor time of this thread: on a shared machine, wall time measures the
// neighbours as much as the code.
struct ThreadClock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<ThreadClock>;
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(duration(t.tv_sec * 1'000'000'000LL + t.tv_nsec));
    }
};

// Exact batch time over the floor's on the same lines; both write to memory.
void BatchOverFloor(benchmark::State& state) {
    const int count = 10000;
    const std::string lines = RealisticLines(count);
    using Clock = ThreadClock;
    Clock::duration exact{}, floor{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        {
            std::istringstream in(lines);
            std::ostringstream out, err;
            benchmark::DoNotOptimize(RunBatch(in, out, err));
        }
        const Clock::time_point middle = Clock::now();
        {
            std::istringstream in(lines);
            std::ostringstream out;
            benchmark::DoNotOptimize(bench::RunBatchFloor(in, out));
        }
        const Clock::time_point end = Clock::now();
        exact += middle - start;
        floor += end - middle;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    const double n = static_cast<double>(count) * static_cast<double>(state.iterations());
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    state.counters["exact_lines_per_s"] = n / seconds(exact);
    state.counters["floor_lines_per_s"] = n / seconds(floor);
    state.counters["exact_over_floor"] = seconds(exact) / seconds(floor);
}

const bool kRegistered = [] {
    for (const char* name : kPresets)
        benchmark::RegisterBenchmark((std::string("Calculation/") + name).c_str(), Calculation,
                                     *PresetControlId(name));
    benchmark::RegisterBenchmark("BatchThroughput/1000_lines", BatchThroughput);
    benchmark::RegisterBenchmark("BatchOverFloor/10000_realistic_lines", BatchOverFloor)
        ->UseManualTime()
        ->MinTime(2.0);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
