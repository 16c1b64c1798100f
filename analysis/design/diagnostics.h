// What is wrong with a computed design, in plain words, with what to change.
// The texts on screen are never touched; these messages only sit beside them.
//
// In the order they are given:
//   no-root         the search saw no sign change: the results sit at the
//                   10 GOhm end of its range and realise nothing
//   bad-part        a part that is negative, zero, infinite or not a number,
//                   or that the display rounds to zero
//   gain-below-one  K < 1: RK-R comes out negative, the gain network
//                   cannot be built
//   unstable        a realised pole in the right half-plane
//   off-target      a realised pole pair more than 1 % from its target,
//                   with the unrounded values or with the values as shown
//
//   DesignAnalysis a = AnalyseDesign(d);   // empty parameter boxes:
//   // a.Diagnostics[0].Code == "no-root", then "bad-part" for R1, R4, K, RK-R
#pragma once

#include <vector>

#include "analysis_result.h"
#include "design.h"

namespace velmora {

std::vector<Diagnostic> DiagnoseDesign(const DesignRecord& design, const DesignAnalysis& analysis);

}  // namespace velmora
