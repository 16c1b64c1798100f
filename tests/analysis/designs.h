// Designs the analysis tests start from: four pole-pair values through the
// engine with the window's start values for the other inputs.
#pragma once

#include "design.h"
#include "number_text.h"
#include "standard_sets.h"

namespace velmora {

inline DesignRecord DesignOf(double af1, double f1, double af2, double f2, double fsf = 1000,
                             double isf = 0.01) {
    DesignRecord d;
    d.AF1 = af1, d.F1 = f1, d.AF2 = af2, d.F2 = f2;
    d.CapUF = 1, d.FSF = fsf, d.ISF = isf, d.RStar = 2000;
    ComputeDesign(d);
    return d;
}

inline DesignRecord PresetDesign(int controlId, double fsf = 1000) {
    const StandardSet* s = FindStandardSet(controlId);
    return DesignOf(ParseNumber(s->AF1), ParseNumber(s->F1), ParseNumber(s->AF2),
                    ParseNumber(s->F2), fsf);
}

inline constexpr int kFilledPresets[] = {ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB05,
                                         ID_STD_CHEB10,      ID_STD_CHEB20, ID_STD_CHEB30};

}  // namespace velmora
