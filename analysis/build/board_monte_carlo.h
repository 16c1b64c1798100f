// Monte Carlo of a board as it is built and adjusted: each part with its own
// tolerance grade, and optionally a trimmer in RK-R that a technician sets
// by one gain reading at one test frequency.
//
// A trial draws R1..R4, C1..C4, R* and RK-R (the fixed part, when trimmed)
// in that order, as RunMonteCarlo does, so with equal grades and no trim the
// same seed gives the same builds and the same yield. A trimmed trial then
// draws the trimmer's end-to-end value and the meter's error, and:
//   1. solves for the gain K whose reading at TestHz is StatedGain (the
//      reading is the true |Vout / Vin| times the meter's error),
//   2. turns the trimmer up from its least-gain end to the first setting
//      giving that K, and leaves it at the nearest of its Steps + 1
//      positions (at an end stop, when the setting lies outside the range),
//   3. judges the adjusted build against the mask.
//
//   BoardSetup s{built.Built, built.RStar, built.RkrBuilt, EqualGrades(tol), 10000, 1};
//   s.Trim = KTrim{1870, 500, 900, 2.134};
//   BoardRun r = SimulateBoard(s, target, mask);   // r.Yield after the adjustment
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "model/circuit_polynomial.h"
#include "monte_carlo.h"

namespace velmora {

enum BoardPart {
    kBoardR1,
    kBoardR2,
    kBoardR3,
    kBoardR4,
    kBoardC1,
    kBoardC2,
    kBoardC3,
    kBoardC4,
    kBoardRStar,
    kBoardRkr,
    kBoardPartCount
};

// "R1" .. "R4", "C1" .. "C4", "R*", "RK-R".
const char* BoardPartName(int part);
bool IsCapacitor(int part);

// Relative tolerance of each part, as in Tolerances.
struct PartTolerances {
    double Of[kBoardPartCount] = {};
    Distribution Shape = Distribution::Uniform;
};

PartTolerances EqualGrades(const Tolerances& tol);

// RK-R = FixedOhms + position * PotOhms, position in [0, 1].
struct KTrim {
    double FixedOhms = 0;
    double PotOhms = 0;
    double TestHz = 0;      // 0: the technician sets the DC gain
    double StatedGain = 0;  // |Vout / Vin| to set at TestHz
    int Steps = 100;        // positions the trimmer can be left at, less one
    double Meter = 0.005;   // the reading's relative accuracy, as a tolerance
    double PotTolerance = 0.2;
};

struct BoardSetup {
    FilterParts Nominal;
    double RStar = 0;
    double Rkr = 0;  // without a trim
    PartTolerances Tol;
    int Trials = 0;
    uint64_t Seed = 0;
    std::optional<KTrim> Trim;
};

struct BoardRun {
    int Trials = 0;
    int Passed = 0;
    int Failed = 0;      // unstable or degenerate after any adjustment
    int OutOfRange = 0;  // the stated reading lay beyond an end of the trimmer
    double Yield = 0;
    // Kept when asked, in bounded memory, failed trials left out.
    SpreadAccumulator Minus3dBSamples, PeakingSamples;
};

BoardRun SimulateBoard(const BoardSetup& setup, const ResponseShape& target, const YieldMask& mask,
                       bool keepSamples = false);

// The least gain K from fromK up at which the circuit's |H| at testHz is
// `gain`; none when no such K gives it. The circuit's K is not used.
std::optional<double> GainForReading(const CircuitPolynomial& c, double testHz, double gain,
                                     double fromK);

// |H| at testHz with gain k in place of the circuit's K.
double GainAt(const CircuitPolynomial& c, double testHz, double k);

}  // namespace velmora
