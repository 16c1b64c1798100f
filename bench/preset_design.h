// A preset's design at the window's default inputs (C 1 uF, ISF 0.01,
// R* 2000), at the given FSF, for the benches.
//
//   DesignRecord d = PresetDesign(ID_STD_CHEB05, 2500);
#pragma once

#include "design/design_target.h"
#include "number_text.h"
#include "results.h"
#include "standard_sets.h"

namespace velmora {

inline DesignRecord PresetDesign(int controlId, double fsf = 1000) {
    const StandardSet* set = FindStandardSet(controlId);
    DesignRecord d;
    d.AF1 = ParseNumber(set->AF1), d.F1 = ParseNumber(set->F1);
    d.AF2 = ParseNumber(set->AF2), d.F2 = ParseNumber(set->F2);
    d.CapUF = 1, d.FSF = fsf, d.ISF = 0.01, d.RStar = 2000;
    ComputeDesign(d);
    return d;
}

}  // namespace velmora
