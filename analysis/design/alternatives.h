// Every design the equations allow, not only the one the bisection finds.
//
// The remaining design equation e(x) = 0 in the conductance x of R2 can have
// several roots between 0.1 ohm and 10 GOhm; the window's bisection follows
// one bracket and shows one. This scans the whole range, refines each sign
// change, keeps the roots that meet all four design equations, marks those
// whose parts can all be built (R1, R2, R4 > 0 and K >= 1, so that
// RK-R >= 0) and the one the window shows. The window's root is not always
// buildable: for AF1 2.15, F1 1, AF2 2.65, F2 0.1 it has K = 0.18 while
// three other roots have K between 1.1 and 1.9.
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

// The residual e(x) and the R1 conductance g1(x) of the remaining equation,
// in extended precision, from the design's P1..P4.
struct ResidualPoint {
    double G1 = 0;
    double E = 0;
};
ResidualPoint DesignResidual(const DesignRecord& d, double x);

}  // namespace velmora
