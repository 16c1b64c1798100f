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

#include <array>
#include <string>
#include <vector>

#include "design.h"
#include "model/circuit.h"

// A realised pole pair beside the one it should be, with relative errors
// (realised - target) / target; NaN when there is nothing to compare.
struct PairCheck {
    PolePair Target;
    PolePair Realised;
    double F0Error = 0;
    double QError = 0;
};

struct RealisedCircuit {
    FilterParts Parts;
    CircuitAnalysis Analysis;
    PairCheck Pairs[2];  // in the order the pairs were entered
};

// Something wrong with a design, in plain words: what and what to change.
// Code is one of "no-root", "bad-part", "gain-below-one", "unstable",
// "off-target".
struct Diagnostic {
    std::string Code;
    std::string Message;
};

struct DesignAnalysis {
    std::array<std::string, 12> Texts;  // the twelve result texts, display order
    PolePair Target[2];                 // F x FSF and 1/AF, in entry order
    CircuitAnalysis TargetFigures;      // the target with the design's K as DC gain
    RealisedCircuit Shown;              // from the texts, parsed back
    RealisedCircuit Unrounded;          // from the record's fields
    double RStar = 0;                   // ohms, as entered
    double RKRShown = 0;                // ohms, parsed from its text
    bool RootFound = false;             // the search saw a sign change
    std::vector<Diagnostic> Diagnostics;
};

// Relative error above which a realised pole pair counts as off target.
inline constexpr double kPairTolerance = 0.01;

// Analyses a record after ComputeDesign. The twelve texts are produced with
// ShowResults, so they are exactly those on screen.
DesignAnalysis AnalyseDesign(const DesignRecord& design);

// The scaled parts as shown: R1..R4 from their texts in ohms, C from its
// text in uF, K = 1 + RK-R / R* (the K text when R* is 0 or not finite).
FilterParts ShownParts(const DesignRecord& design, const std::array<std::string, 12>& texts);

// The scaled parts unrounded: 1000 R ISF ohms, 1000 CapMF / (ISF FSF) uF, K.
FilterParts UnroundedParts(const DesignRecord& design);

// Whether the last pass of the search still saw a sign change (or an exact
// zero) of the residual: that is, whether the bracket holds a root. Derived
// from the residuals the search leaves in the record.
bool SearchFoundRoot(const DesignRecord& design);
