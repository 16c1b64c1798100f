// Monte Carlo tolerance analysis: many builds with every part drawn within
// its tolerance, and the spread of what they do.
//
// Each trial draws R1..R4, R* and RK-R within the resistor tolerance and
// C1..C4 within the capacitor tolerance, independently, as DrawBoard draws
// a board of equal grades; K follows from RK-R and R*.
//
//   MonteCarloSetup m{built, 2000, 2076, {0.01, 0.05, Distribution::Uniform}, 10000, 1};
//   MonteCarloResult r = RunMonteCarlo(m, target, mask);
//   // r.Minus3dB.Mean ~ 1000, r.Yield = fraction of trials inside the mask
#pragma once

#include <cstdint>

#include "board_draw.h"
#include "response/quartic_shape.h"
#include "response/response_shape.h"
#include "spread_accumulator.h"

namespace velmora {

struct MonteCarloSetup {
    FilterParts Nominal;
    double RStar = 0;  // ohms
    double Rkr = 0;    // ohms; Nominal.K is 1 + Rkr / RStar
    Tolerances Tol;
    int Trials = 0;
    uint64_t Seed = 0;
    YieldOpAmp Amp = {};  // GbwHz 0: an ideal op-amp
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

// What of a build's shape MeetsMask reads under this mask; all of it when
// the figures are kept as well.
ShapeParts PartsRead(const YieldMask& mask, bool keep);

// Whether a build's shape is inside the mask around the target's.
bool MeetsMask(const ResponseShape& shape, const ResponseShape& target, const YieldMask& mask);

}  // namespace velmora
