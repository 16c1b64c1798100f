// Monte Carlo of a board as it is built and adjusted: each part with its own
// tolerance grade, and optionally a trimmer in RK-R that a technician sets
// by one gain reading at one test frequency.
//
// A trial draws its board with DrawBoard, so with equal grades and no trim
// the same seed gives the builds and the yield of RunMonteCarlo. A trimmed
// trial then follows the printed procedure at the trimmer's real positions:
//   1. VR1 at its least-gain end (position 0);
//   2. the reading is the true |Vout / Vin| at TestHz times the meter's
//      error, drawn once for the board;
//   3. VR1 is turned up a position at a time and left at the first position
//      whose reading reaches StatedGain;
//   4. a board reading above StatedGain at the start, or below it at the
//      other end, is outside the trim range: counted in OutOfRange and set
//      aside (never a pass), its figures those at that end;
//   5. the adjusted build is judged against the mask.
// With a real op-amp in the nominal board (Nominal.Amp), each trial draws
// its GBW, and the readings and the judgement are of the board around it.
//
//   BoardSetup s{{built.Built, built.RStar, built.RkrBuilt}, EqualGrades(tol), 10000, 1};
//   s.Trim = KTrim{1870, 500, 900, 2.134};
//   BoardRun r = SimulateBoard(s, target, mask);   // r.Yield after the adjustment
#pragma once

#include <complex>
#include <optional>
#include <vector>

#include "model/circuit_polynomial.h"
#include "monte_carlo.h"
#include "opamp_gbw.h"

namespace velmora {

struct BoardSetup {
    BoardNominal Nominal;  // its Rkr is the trim's fixed part when trimmed
    PartTolerances Tol;
    int Trials = 0;
    uint64_t Seed = 0;
    std::optional<KTrim> Trim;
};

struct BoardRun {
    int Trials = 0;
    int Passed = 0;
    int Failed = 0;      // unstable or degenerate after any adjustment
    int OutOfRange = 0;  // set aside by step 4 of the procedure
    double Yield = 0;
    // Kept when asked, in bounded memory, failed trials left out.
    SpreadAccumulator Minus3dBSamples, PeakingSamples;
};

// Runs on every core; the same for the same seed whatever the number of
// cores.
BoardRun SimulateBoard(const BoardSetup& setup, const ResponseShape& target, const YieldMask& mask,
                       bool keepSamples = false);

// Where the procedure leaves the trimmer of a drawn board: the gain K and
// the position (0 .. Steps), InRange false when step 4 sets it aside.
struct TrimSetting {
    double K = 0;
    int Position = 0;
    bool InRange = true;
};
TrimSetting SetTrimmer(const DrawnBoard& board, const KTrim& trim);
// The same with the board's circuit polynomial already worked out.
TrimSetting SetTrimmer(const DrawnBoard& board, const CircuitPolynomial& c, const KTrim& trim);

// The least gain K from fromK up at which the circuit's |H| at testHz is
// `gain`; none when no such K gives it. The circuit's K is not used.
// gbwHz > 0: around a single-pole op-amp of that GBW (the circuit's C4
// already holding its input capacitance); 0: an ideal one.
std::optional<double> GainForReading(const CircuitPolynomial& c, double testHz, double gain,
                                     double fromK, double gbwHz = 0);

// |H| at testHz with gain k in place of the circuit's K, as above.
double GainAt(const CircuitPolynomial& c, double testHz, double k, double gbwHz = 0);

}  // namespace velmora
