// The resistors a board may get, one range for every part (R* and RK-R
// included) and for every proposal: the build search's candidates and the
// op-amp compensation's parts alike. Below 100 ohm the op-amp's output and
// the wiring's resistance load the ladder; above 1 Mohm its input current
// and the board's leakage do.
//
//   ResistorRange r;               // 100 ohm to 1 Mohm
//   r.Holds(99.9) -> false    r.Holds(1e6) -> true
//   r.HoldsRkr(0) -> true (K = 1: a wire)
#pragma once

namespace velmora {

struct ResistorRange {
    double MinOhms = 100, MaxOhms = 1e6;

    // Series members computed at the ends (100 as 99.99999999999999)
    // still count.
    bool Holds(double ohms) const {
        constexpr double kEdge = 1e-9;
        return ohms >= MinOhms * (1 - kEdge) && ohms <= MaxOhms * (1 + kEdge);
    }
    bool HoldsRkr(double ohms) const { return ohms == 0 || Holds(ohms); }
};

}  // namespace velmora
