// The C library's functions against the portable ones that replace them
// (model/portable_math.h), each over the same 1,024 arguments: the price of
// the same bits on every platform. Run together, e.g.
//   engine_bench --benchmark_filter='Math/'
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "model/portable_math.h"

using namespace velmora;

namespace {

std::vector<double> Arguments(double lo, double hi) {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> u(lo, hi);
    std::vector<double> x(1024);
    for (double& v : x)
        v = u(random);
    return x;
}

template <typename F>
void Over(benchmark::State& state, const std::vector<double>& x, F f) {
    for (auto _ : state)
        for (double v : x)
            benchmark::DoNotOptimize(f(v));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * x.size()));
}

const std::vector<double> kPositive = Arguments(1e-3, 1e6);
const std::vector<double> kExponent = Arguments(-30, 30);
const std::vector<double> kTurns = Arguments(0, 1);

void LogStd(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return std::log(v); });
}
void LogPortable(benchmark::State& s) {
    Over(s, kPositive, Log);
}
void ExpStd(benchmark::State& s) {
    Over(s, kExponent, [](double v) { return std::exp(v); });
}
void ExpPortable(benchmark::State& s) {
    Over(s, kExponent, Exp);
}
void Log10Std(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return std::log10(v); });
}
void Log10Portable(benchmark::State& s) {
    Over(s, kPositive, Log10);
}
void PowStd(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return std::pow(v, 0.3); });
}
void PowPortable(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return Pow(v, 0.3); });
}
void AbsStd(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return std::abs(std::complex<double>(v, 1 / v)); });
}
void AbsPortable(benchmark::State& s) {
    Over(s, kPositive, [](double v) { return Abs({v, 1 / v}); });
}
void CosStd(benchmark::State& s) {
    Over(s, kTurns, [](double v) { return std::cos(2 * std::numbers::pi * v); });
}
void CosPortable(benchmark::State& s) {
    Over(s, kTurns, CosTwoPi);
}

// A Box-Muller draw as the Monte Carlo makes ten a trial (u in (0, 1]).
void BoxMullerStd(benchmark::State& s) {
    Over(s, kTurns, [](double v) {
        return std::sqrt(-2 * std::log(1 - v)) * std::cos(2 * std::numbers::pi * v);
    });
}
void BoxMullerPortable(benchmark::State& s) {
    Over(s, kTurns, [](double v) { return std::sqrt(-2 * Log(1 - v)) * CosTwoPi(v); });
}

BENCHMARK(LogStd)->Name("Math/log/std");
BENCHMARK(LogPortable)->Name("Math/log/portable");
BENCHMARK(ExpStd)->Name("Math/exp/std");
BENCHMARK(ExpPortable)->Name("Math/exp/portable");
BENCHMARK(Log10Std)->Name("Math/log10/std");
BENCHMARK(Log10Portable)->Name("Math/log10/portable");
BENCHMARK(PowStd)->Name("Math/pow/std");
BENCHMARK(PowPortable)->Name("Math/pow/portable");
BENCHMARK(AbsStd)->Name("Math/abs_complex/std");
BENCHMARK(AbsPortable)->Name("Math/abs_complex/portable");
BENCHMARK(CosStd)->Name("Math/cos_2pi/std");
BENCHMARK(CosPortable)->Name("Math/cos_2pi/portable");
BENCHMARK(BoxMullerStd)->Name("Math/box_muller/std");
BENCHMARK(BoxMullerPortable)->Name("Math/box_muller/portable");

}  // namespace
