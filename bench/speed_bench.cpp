// What a designer waits for, against a 1,000,000-trial Monte Carlo of the
// same build timed in the same run, so that a loaded machine slows both:
//   plan_x    --preset butterworth --series E96 --match-gain --monte-carlo 10000 --seed 1
//             --mask f3db=3%,peak=0.5dB --trim --plan 99%   (the whole board)
//   search_x  --preset cheb05 --fsf 2500 --best-build 3 --trim --mask f3db=3%,peak=0.5dB
//             --seed 1   (the search alone, after the given board)
//   isf_x     --preset butterworth --series E96 --match-gain --isf-search 0.005:0.02
// Each counter is the time over that of the Monte Carlo of its own build;
// with --benchmark_repetitions the aggregates give their medians.
#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>

#include "board/build_plan.h"
#include "board/search_report.h"
#include "build/monte_carlo.h"
#include "preset_design.h"

using namespace velmora;

namespace {

constexpr int kMonteCarloTrials = 1000000;

template <class F>
double Seconds(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

BuildPlan CommonPlan() {
    BuildPlan p;
    p.Seed = 1;
    p.Mask = {0.03, 0, 0, 0.5};
    return p;
}

// The Monte Carlo of a board's snapped build, with the plan's grades and mask.
double MonteCarloSeconds(const DesignRecord& d, const BuildPlan& p) {
    const Board b = MakeBoard(d, RequestOf(p));
    const MonteCarloSetup m{b.Build.Built, b.Build.RStar,     b.Build.RkrBuilt,
                            p.Tol,         kMonteCarloTrials, p.Seed};
    return Seconds([&] { benchmark::DoNotOptimize(RunMonteCarlo(m, b.Target, p.Mask)); });
}

void AgainstMonteCarlo(benchmark::State& state) {
    const DesignRecord butterworth = PresetDesign(ID_STD_BUTTERWORTH);
    const DesignRecord cheb05 = PresetDesign(ID_STD_CHEB05, 2500);
    BuildPlan matched = CommonPlan();
    matched.Series = {ESeries::E96, std::nullopt, true};
    BuildPlan plan = matched;
    plan.Trials = 10000, plan.Trim = true, plan.PlanYield = 0.99;
    BuildPlan isf = matched;
    isf.IsfSearch = true, isf.IsfLow = 0.005, isf.IsfHigh = 0.02;
    BuildPlan search = CommonPlan();
    search.Trials = 10000, search.Trim = true, search.Search.BestBuilds = 3;
    const Board given = MakeBoard(cheb05, RequestOf(search));
    for (auto _ : state) {
        const double mcMatched = MonteCarloSeconds(butterworth, matched);
        const double mcCheb05 = MonteCarloSeconds(cheb05, CommonPlan());
        const double planS =
            Seconds([&] { benchmark::DoNotOptimize(MakeBoard(butterworth, RequestOf(plan))); });
        const double searchS = Seconds([&] {
            std::ostringstream out, err;
            WriteSearchReport(search, cheb05, given, out, err);
        });
        const double isfS =
            Seconds([&] { benchmark::DoNotOptimize(MakeBoard(butterworth, RequestOf(isf))); });
        state.SetIterationTime(mcMatched + mcCheb05 + planS + searchS + isfS);
        state.counters["mc_s"] = mcMatched;
        state.counters["plan_x"] = planS / mcMatched;
        state.counters["search_x"] = searchS / mcCheb05;
        state.counters["isf_x"] = isfS / mcMatched;
    }
}

BENCHMARK(AgainstMonteCarlo)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
