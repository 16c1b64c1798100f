// The gain trim of a built board: RK-R as a fixed standard resistor in
// series with a trimmer, and the one measurement that sets it.
//
// The trimmer's range is chosen from the settings the builds need: the
// fixed part the largest series value that, even at the top of its
// tolerance, is below what 99.85 % of builds need, and the trimmer the
// smallest of 10, 20, 50, 100 ... ohms whose end, with both parts at the
// bottom of their tolerances, reaches what 99.85 % need, so that the range
// covers 99.7 % of builds. The test frequency is the one, among DC and
// 0.5 to 1.25 times the target's -3 dB frequency, that gives the best yield
// after the trim. The gain to turn VR1 up to there is the target's, less
// half the change one position makes: the technician stops at the first
// position that reaches it, on average half a position past the crossing.
//
//   TrimDesign t = DesignTrim(build, EqualGrades(tol), target, mask, {});
//   // t.Trim: fixed 1.87k, trimmer 500, set |Vout/Vin| to 2.134 at 900 Hz
//   BoardRun after = SimulateBoard(SetupOf(build, grades, 10000, 1, t.Trim), target, mask);
#pragma once

#include <optional>

#include "board_monte_carlo.h"
#include "standard_values.h"

namespace velmora {

struct TrimOptions {
    int Steps = 100;
    double Meter = 0.005;
    double PotTolerance = 0.2;
    std::optional<ESeries> FixedSeries;  // none: E24
    int PilotTrials = 2000;              // per test frequency tried
    uint64_t Seed = 0;
    YieldOpAmp Amp = {};  // the op-amp the pilots, readings and yields assume
};

struct TrimDesign {
    KTrim Trim;
    double TestFraction = 0;  // TestHz over the target's -3 dB frequency
    double PilotYield = 0;    // at the chosen test frequency
    // False when no test frequency lets any build reach its gain within the
    // range (a design of K below 1 or not a number): then nothing else holds.
    bool Reachable = false;
};

TrimDesign DesignTrim(const SnappedBuild& build, const PartTolerances& tol,
                      const ResponseShape& target, const YieldMask& mask, const TrimOptions& o);

// The yield of a build with these grades under the mask over `trials`
// builds of o.Seed: as built, or after the trim DesignTrim gives it (no
// yield when none fits). What a search over builds compares them by.
//
//   double y = BuildYield(build, EqualGrades({0.01, 0.05}), target, mask, true, {}, 10000);
double BuildYield(const SnappedBuild& build, const PartTolerances& tol, const ResponseShape& target,
                  const YieldMask& mask, bool trimmed, const TrimOptions& o, int trials);

// The trim for a test frequency: the fixed part and the trimmer fitted to
// what the builds need there (pilot draws of o.PilotTrials) and the reading
// to turn VR1 up to (StatedGainFor), to four digits as printed.
KTrim FitTrim(const SnappedBuild& build, const PartTolerances& tol, double testHz,
              const TrimOptions& o);

// The Monte Carlo setup of a snapped build with these grades, trimmed or not.
BoardSetup SetupOf(const SnappedBuild& build, const PartTolerances& tol, int trials, uint64_t seed,
                   const std::optional<KTrim>& trim = std::nullopt, const YieldOpAmp& amp = {});

// The target's gain at hz.
double TargetGainAt(const SnappedBuild& build, double hz);

// The reading to turn VR1 up to at t.TestHz, unrounded: the nominal board's
// gain half a position below the K that gives the target's gain there, so
// that stopping at the first position that reaches it lands, on average,
// on the target. The target's gain when no K gives it. Read around `amp`.
double StatedGainFor(const SnappedBuild& build, const KTrim& t, const YieldOpAmp& amp = {});

// The K range a trim gives at nominal values: 1 + fixed / R* to
// 1 + (fixed + trimmer) / R*.
double LowestK(const SnappedBuild& build, const KTrim& trim);
double HighestK(const SnappedBuild& build, const KTrim& trim);

}  // namespace velmora
