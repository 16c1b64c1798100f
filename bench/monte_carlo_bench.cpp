// Monte Carlo trials as a search would run them: the full run with its
// spreads, per preset and trial count, and the yield alone.
#include <benchmark/benchmark.h>

#include <string>

#include "build/monte_carlo.h"
#include "design/design_target.h"
#include "number_text.h"
#include "results.h"
#include "standard_sets.h"

using namespace velmora;

namespace {

DesignRecord Preset(int controlId) {
    const StandardSet* set = FindStandardSet(controlId);
    DesignRecord d;
    d.AF1 = ParseNumber(set->AF1), d.F1 = ParseNumber(set->F1);
    d.AF2 = ParseNumber(set->AF2), d.F2 = ParseNumber(set->F2);
    d.CapUF = 1, d.FSF = 1000, d.ISF = 0.01, d.RStar = 2000;
    ComputeDesign(d);
    return d;
}

// R 1 %, C 5 %; the mask of a search: f0 within 3 %, -3 dB within 3 %.
void FullRun(benchmark::State& state, int controlId, Distribution shape) {
    const DesignRecord d = Preset(controlId);
    const MonteCarloSetup setup{ScaledParts(d),
                                d.RStar,
                                RkrOhms(d),
                                {0.01, 0.05, shape},
                                static_cast<int>(state.range(0)),
                                1};
    const YieldMask mask{0.03, 0.03, 0, 0};
    for (auto _ : state)
        benchmark::DoNotOptimize(RunMonteCarlo(setup, TargetShape(d), mask));
    state.counters["per_trial"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The yield alone, as a search asks for it: f0 within 3 %, no -3 dB limit.
void YieldOnly(benchmark::State& state) {
    const DesignRecord d = Preset(ID_STD_CHEB05);
    const MonteCarloSetup setup{ScaledParts(d),
                                d.RStar,
                                RkrOhms(d),
                                {0.01, 0.05, Distribution::Uniform},
                                static_cast<int>(state.range(0)),
                                1};
    const ResponseShape target = TargetShape(d);
    for (auto _ : state)
        benchmark::DoNotOptimize(CountYield(setup, target, {0, 0.03, 0, 0}));
    state.counters["per_trial"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const bool kRegistered = [] {
    const struct {
        const char* Name;
        int Id;
    } presets[] = {{"butterworth", ID_STD_BUTTERWORTH}, {"cheb05", ID_STD_CHEB05}};
    for (const auto& p : presets)
        benchmark::RegisterBenchmark((std::string("MonteCarlo/") + p.Name).c_str(), FullRun, p.Id,
                                     Distribution::Uniform)
            ->Arg(10000)
            ->Arg(1000000)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    // Every draw a Box-Muller pair: the logarithm and cosine of each trial.
    benchmark::RegisterBenchmark("MonteCarlo/cheb05-gaussian", FullRun, ID_STD_CHEB05,
                                 Distribution::Gaussian)
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("MonteCarloYield/cheb05", YieldOnly)
        ->Arg(1000)
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

}  // namespace
