// The filter around a real op-amp: single pole, gain-bandwidth GBW, DC gain
// kOpAmpOpenLoopGain (100 dB). The stage gain K becomes
//   K(s) = K / (1 + K/A0 + s K / (2 pi GBW)),
// which adds a fifth pole near GBW / K and pulls the two pairs.
//
//   ResponseShape r = ShapeWithGbw(parts, 10e6);
//   GbwLimit g = MinimumGbw(parts, 0.01);
//   // g.GbwHz: the least GBW that keeps both f0 and both Q within 1 %
#pragma once

#include <complex>

#include "board_draw.h"
#include "model/circuit.h"
#include "response/response_shape.h"

namespace velmora {

ResponseShape ShapeWithGbw(const FilterParts& parts, double gbwHz);

// H(j 2 pi hz) with the op-amp model: the plot's curve.
std::complex<double> ResponseWithGbw(const FilterParts& parts, double gbwHz, double hz);

// The parts with the op-amp's input capacitance across C4 (it sits from the
// non-inverting input to ground; an ideal op-amp adds none), and the shape
// a built board has around that op-amp: single pole at its GBW.
FilterParts WithInputCapacitance(FilterParts parts, const YieldOpAmp& amp);
ResponseShape ShapeOfBoard(const FilterParts& parts, const YieldOpAmp& amp);

struct GbwLimit {
    bool Found = false;
    double GbwHz = 0;  // smallest GBW meeting the limit (to 0.1 %)
    double Limit = 0;  // the relative limit asked for
};

// The smallest GBW for which every f0 and Q stays within `limit` of the
// ideal-amplifier values of the same parts. Searched downward from 100 GHz
// in 1 % steps and then bisected, so a GBW window that passes only above a
// failing band is not mistaken for the limit.
GbwLimit MinimumGbw(const FilterParts& parts, double limit);

}  // namespace velmora
