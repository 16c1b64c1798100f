// A computed design held against its target: the circuit is built twice,
// once from the twelve texts as shown (what a designer reads off and builds)
// and once from the record's unrounded values, and each is solved by nodal
// analysis and compared with the pole pairs that were asked for.
//
//   DesignRecord d;  ReadInputs(d, source);  ComputeDesign(d);
//   DesignAnalysis a = AnalyseDesign(d);
//   // Butterworth row: a.Target[0] = {1000, 0.5412}, a.Shown.Pairs[0].F0Error ~ -3.5e-5,
//   // a.Shown.Analysis.Minus3dBHz ~ 1000, a.Diagnostics empty
#pragma once

#include "analysis_result.h"
#include "design.h"
#include "model/circuit.h"
#include "results.h"

namespace velmora {

// Analyses a record after ComputeDesign. The twelve texts are produced with
// ShowResults, so they are exactly those on screen.
DesignAnalysis AnalyseDesign(const DesignRecord& design);

// Puts a board's parts in place of those as shown, so that the plots, the
// netlist and the report of the analysis show the board: the diagnostics
// stay those of the design.
//   ShowBoard(a, board.Nominal, 1620, 1685);   // a.Shown: the board solved
void ShowBoard(DesignAnalysis& analysis, const FilterParts& parts, double rstar, double rkr);

// The scaled parts as shown: R1..R4 from their texts in ohms, C from its
// text in uF, K = 1 + RK-R / R* (the K text when R* is 0 or not finite).
FilterParts ShownParts(const DesignRecord& design, const ResultTexts& texts);

// The scaled parts unrounded: 1000 R ISF ohms, 1000 CapMF / (ISF FSF) uF, K.
FilterParts UnroundedParts(const DesignRecord& design);

// Whether the last pass of the search still saw a sign change (or an exact
// zero) of the residual: that is, whether the bracket holds a root. Derived
// from the residuals the search leaves in the record.
bool SearchFoundRoot(const DesignRecord& design);

}  // namespace velmora
