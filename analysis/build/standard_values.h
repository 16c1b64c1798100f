// Building a design from standard parts: every resistor (and optionally the
// capacitors) snapped to a preferred series, and how far the built circuit
// lands from the target.
//
//   BuildSeries s{ESeries::E96, std::nullopt};
//   SnappedBuild b = SnapDesign(d, s, d.ISF);   // R1 1194.2 -> 1190, RK-R 2076 -> 2080
//   BuildError e = CompareShapes(TargetShape(d), ShapeOfParts(b.Built));
//   // e.Worst: the worst relative error of the four f0 and Q; e.Rss: their root sum square
#pragma once

#include <optional>

#include "design.h"
#include "eseries.h"
#include "model/circuit.h"
#include "response/response_shape.h"

namespace velmora {

struct BuildSeries {
    std::optional<ESeries> Resistors;   // R1..R4 and RK-R; none: as computed
    std::optional<ESeries> Capacitors;  // C1..C4; none: as computed
    // Choose R* from the resistor series too, as the member (within a factor
    // of 3.3 of the given R*) whose nearest RK-R gives the K closest to the
    // design's. Q of the sharper pair moves some ten times as much as K, so
    // a K off by RK-R's rounding (up to 1.2 % in E96) costs more than all
    // four ladder resistors together.
    bool MatchGain = false;
};

struct SnappedBuild {
    double Isf = 0;     // the impedance scaling it was built at
    FilterParts Ideal;  // computed values at that ISF
    FilterParts Built;  // after snapping; Built.K = 1 + RkrBuilt / RStar
    double RStar = 0;   // as given, or the series member MatchGain chose
    double RStarGiven = 0;
    double RkrIdeal = 0;
    double RkrBuilt = 0;
};

SnappedBuild SnapDesign(const DesignRecord& d, const BuildSeries& series, double isf);

// Whether the parts exist: every resistor and capacitor positive and
// finite, RK-R not negative (K below 1 would need one). A negative part
// simulates happily; its yield would be a figure for a board nobody makes.
//   CanBeMade(SnapDesign(butterworth, {}, 0.01)) -> true
//   K 0.18 (RK-R -1636 ohms)                     -> false
bool CanBeMade(const SnappedBuild& b);

// The ideal-amplifier response of a set of parts.
ResponseShape ShapeOfParts(const FilterParts& parts);

// Relative errors (realised / target - 1) of each pair's f0 and Q, of the
// -3 dB frequency, and the peaking difference in dB.
struct BuildError {
    double F0[2] = {};
    double Q[2] = {};
    double Minus3dB = 0;
    double PeakingDb = 0;
    double Worst = 0;  // largest |error| of the four f0 and Q
    // Root sum square of the four: what the ISF search minimises. A minimax
    // would let both f0 drift as far as the largest error, usually a Q set
    // by K, which no ISF moves.
    double Rss = 0;
};

BuildError CompareShapes(const ResponseShape& target, const ResponseShape& realised);

// Tries `steps` impedance scaling factors spaced evenly on a log scale from
// lo to hi (both included) and keeps the snapped build of the smallest
// Rss error. With snapped capacitors the search trades the capacitor's
// step against the resistors'; with exact capacitors each ISF simply moves
// the capacitor value.
struct IsfSearchResult {
    SnappedBuild Build;
    ResponseShape Shape;
    BuildError Error;
    int Tried = 0;
};

IsfSearchResult SearchIsf(const DesignRecord& d, const BuildSeries& series, double lo, double hi,
                          int steps);

}  // namespace velmora
