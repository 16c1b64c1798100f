// Parts that give the target pole pairs around a real op-amp, not an ideal
// one: the single-pole model of opamp_gbw.h pulls both pairs (the sharper Q
// rises), so R1, R2 = R3, R4 and K are solved again with the op-amp in the
// loop, the capacitors kept. The fifth pole, near GBW / K, stays: it is
// what no choice of these parts removes, and it moves the -3 dB frequency
// and the peaking a little.
//
//   FilterParts ideal = ScaledParts(d);                     // Butterworth, 1 kHz
//   Compensation c = Compensate(ideal, TargetShape(d), 100e3, d.RStar);
//   // c.Solved; c.Parts.R1 .. c.Parts.K; ShapeWithGbw(c.Parts, 100e3) has
//   // the target's pairs to 1e-9; c.Shape.ExtraPoleHz ~ 50 kHz
//   CompensationLimit m = LeastCompensableGbw(ideal, TargetShape(d), d.RStar);
//   // m.GbwHz ~ 29 kHz: below it R4 would be under 100 ohm
#pragma once

#include "model/circuit.h"
#include "resistor_range.h"
#include "response/response_shape.h"

namespace velmora {

struct Compensation {
    bool Solved = false;  // pairs within 1e-9 and every part buildable
    FilterParts Parts;    // capacitors as given; R3 = R2
    ResponseShape Shape;  // with the op-amp: the target's pairs and the fifth pole
};

// Continues from the ideal parts (which are exact for an infinite GBW) down
// to gbwHz in steps, each solved by Newton's method on the logarithms of
// R1, R2, R4 and K, so the solution found is the one that grows out of the
// ideal design rather than a distant root. Buildable: stable, K >= 1 (RK-R
// cannot be negative), and R1, R2 = R3, R4, R* and RK-R = (K - 1) R* within
// the range the build search uses (RK-R may be 0, a wire).
Compensation Compensate(const FilterParts& ideal, const ResponseShape& target, double gbwHz,
                        double rstarOhms, const ResistorRange& range = {});

// Every resistor of the parts, R* and RK-R included, within the range.
bool PartsInRange(const FilterParts& p, double rstarOhms, const ResistorRange& range);

struct CompensationLimit {
    bool Found = false;
    double GbwHz = 0;   // to 0.1 %
    FilterParts Parts;  // the solution there: what gives out shows
};

// The least GBW at which Compensate still succeeds, followed down from
// 1000 times the higher pole frequency times K; none below the lower pole
// frequency is looked for. Not found when even the ideal parts are not
// buildable (a resistor outside the range).
CompensationLimit LeastCompensableGbw(const FilterParts& ideal, const ResponseShape& target,
                                      double rstarOhms, const ResistorRange& range = {});

}  // namespace velmora
