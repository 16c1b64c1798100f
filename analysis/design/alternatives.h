// Every design the equations allow, not only the one the bisection finds.
//
// The remaining design equation e(x) = 0 in the conductance x of R2 can have
// several roots between 0.1 ohm and 10 GOhm; the window's bisection follows
// one bracket and shows one. This looks for a sign change of e between
// trial points: a log grid over the whole range and every real critical
// point of e's numerator polynomial, so that e is monotonic between two
// neighbours and roots however close (0.17 % apart in R2 for AF1 1.878,
// F1 0.05023, AF2 2.303, F2 15.98) each get their own bracket. It refines
// each sign change with the engine's own residual and closed forms, keeps
// the roots that meet all four design equations, marks those whose parts can
// all be built (R1, R2, R4 > 0 and K >= 1, so that RK-R >= 0) and the one the
// window shows. A root where e touches zero without changing sign (a double
// root) is not found. The window's root is not always buildable: for AF1
// 2.15, F1 1, AF2 2.65, F2 0.1 it has K = 0.18 while three other roots have
// K between 1.1 and 1.9.
//
//   DesignRecord d = ...;                       // inputs read, ComputeDesign run
//   for (const AlternativeDesign& a : AlternativeDesigns(d))
//       ... a.Scaled.R1, a.Scaled.K, a.Sensitivity, a.Shown ...
#pragma once

#include <vector>

#include "design.h"
#include "model/circuit.h"
#include "sensitivity.h"

namespace velmora {

struct AlternativeDesign {
    double X = 0;                   // conductance of R2, mS
    double R1 = 0, R2 = 0, R4 = 0;  // prototype, kOhm (R3 = R2)
    double K = 0;
    FilterParts Scaled;  // at the design's ISF and FSF, ohms and farads
    PoleSensitivities Sensitivity;
    bool Buildable = false;  // every part positive, K >= 1
    bool Shown = false;      // the design the window shows
};

// Every root in increasing x (decreasing R2).
std::vector<AlternativeDesign> AlternativeDesigns(const DesignRecord& d);

}  // namespace velmora
