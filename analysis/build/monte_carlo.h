// Monte Carlo tolerance analysis: many builds with every part drawn within
// its tolerance, and the spread of what they do.
//
// Each trial draws R1..R4, R* and RK-R within the resistor tolerance and
// C1..C4 within the capacitor tolerance, independently; K follows from
// RK-R and R*. Uniform draws fill +-tol evenly; Gaussian draws take tol as
// three standard deviations (99.7 % of parts inside the marking).
//
//   MonteCarloSetup m{built, 2000, 2076, {0.01, 0.05, Distribution::Uniform}, 10000, 1};
//   MonteCarloResult r = RunMonteCarlo(m, target, mask);
//   // r.Minus3dB.Mean ~ 1000, r.Yield = fraction of trials inside the mask
#pragma once

#include <cstdint>

#include "model/circuit.h"
#include "response/response_shape.h"
#include "spread_accumulator.h"

namespace velmora {

enum class Distribution { Uniform, Gaussian };

struct Tolerances {
    double Resistor = 0.01;  // relative: 0.01 is 1 %
    double Capacitor = 0.05;
    Distribution Shape = Distribution::Uniform;
};

struct MonteCarloSetup {
    FilterParts Nominal;
    double RStar = 0;  // ohms
    double Rkr = 0;    // ohms; Nominal.K is 1 + Rkr / RStar
    Tolerances Tol;
    int Trials = 0;
    uint64_t Seed = 0;
};

// Limits a trial must meet, relative to the target; a limit <= 0 is not
// checked. F0 and Q apply to both pole pairs.
struct YieldMask {
    double Minus3dB = 0;   // relative, 0.02 is +-2 %
    double F0 = 0;         // relative
    double Q = 0;          // relative
    double PeakingDb = 0;  // absolute, dB
};

bool MaskIsEmpty(const YieldMask& mask);

struct MonteCarloResult {
    int Trials = 0;
    int Failed = 0;  // trials with no two pole pairs or an unstable circuit
    Spread F0[2], Q[2], Minus3dB, PeakingDb;
    int Passed = 0;  // inside the mask (all trials pass an empty mask)
    double Yield = 0;
    // The builds' figures, in bounded memory, for histograms; failed trials
    // are left out.
    SpreadAccumulator F0Samples[2], QSamples[2], Minus3dBSamples, PeakingSamples;
};

// Runs on every core; the trials, and so every figure, are the same for the
// same seed whatever the number of cores. Memory stays bounded whatever the
// number of trials: past SpreadAccumulator::kExactLimit builds the 0.5 % and
// 99.5 % points are estimates within its stated error.
MonteCarloResult RunMonteCarlo(const MonteCarloSetup& setup, const ResponseShape& target,
                               const YieldMask& mask);

// The yield alone, for searches that run many plans: the same trials as
// RunMonteCarlo with the same seed, so the same Failed, Passed and Yield,
// without the samples and spreads, and with only what the mask checks
// computed (no -3 dB search without a -3 dB limit, no peaking search without
// a peaking limit).
//
//   YieldCount y = CountYield(m, target, {0.03, 0.03, 0, 0});
//   // y.Passed == RunMonteCarlo(m, target, {0.03, 0.03, 0, 0}).Passed
struct YieldCount {
    int Trials = 0;
    int Failed = 0;
    int Passed = 0;
    double Yield = 0;
};
YieldCount CountYield(const MonteCarloSetup& setup, const ResponseShape& target,
                      const YieldMask& mask);

// The generator behind the draws (xoshiro256**, seeded through splitmix64):
// the same seed gives the same trials on every platform and compiler, which
// the standard library's distributions do not promise.
struct RandomState {
    uint64_t S[4];
};
RandomState SeedRandom(uint64_t seed);
double NextUniform(RandomState& r);   // [0, 1)
double NextGaussian(RandomState& r);  // mean 0, standard deviation 1

// One part's factor, as a trial draws it: 1 + tol * u with u uniform in
// [-1, 1), or 1 + tol / 3 * g with g standard normal.
double DrawFactor(RandomState& r, double tol, Distribution shape);

// Whether a build's shape is inside the mask around the target's.
bool MeetsMask(const ResponseShape& shape, const ResponseShape& target, const YieldMask& mask);

}  // namespace velmora
