// The output's DC offset: the op-amp's Vos and its bias currents through
// the resistance each input sees. The + input's current runs through the
// source and R1..R4 (the capacitors are open at DC), the - input's through
// R* || RK-R; with K R* || RK-R = RK-R,
//   Vout = K (Vos - Ib+ (Rs + R1 + R2 + R3 + R4) + Ib- (R* || RK-R)).
// Equal bias currents cancel when the two resistances are equal, which a
// choice of R* can give: offered, never applied.
//
//   DcOffset o = OutputOffset(circuit);
//   // o.Worst = K (|Vos| + |Ib| |Rser - Rpar| + Ios / 2 (Rser + Rpar))
#pragma once

#include "model/signal_circuit.h"

namespace velmora {

struct DcOffset {
    double SeriesOhms = 0;    // what the + input sees: source and R1..R4
    double ParallelOhms = 0;  // what the - input sees: R* || RK-R
    // Each part's share at the output, volts, worst sign.
    double FromVos = 0, FromIb = 0, FromIos = 0;
    double Worst = 0;    // the sum: every part at its datasheet figure, signs aligned
    double Typical = 0;  // root sum square of the three, as independent spreads
    // R* that makes R* || RK-R equal the series resistance at the same K,
    // with RK-R = (K - 1) R*, and the worst offset then; 0 when K <= 1.
    double BalancedRStar = 0, BalancedRkr = 0, BalancedWorst = 0;
};

DcOffset OutputOffset(const SignalCircuit& circuit);

}  // namespace velmora
