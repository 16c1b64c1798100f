// What AnalyseDesign finds (design_analysis.h), apart from the function, so
// that the diagnostics it runs can read it without including their caller.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/circuit.h"
#include "response/response.h"
#include "results.h"

namespace velmora {

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
    ResultTexts Texts;              // the twelve result texts, display order
    PolePair Target[2];             // F x FSF and 1/AF, in entry order
    CircuitAnalysis TargetFigures;  // the target with the design's K as DC gain
    RealisedCircuit Shown;          // from the texts, parsed back (or a board: ShowBoard)
    std::string ShownName = "the values as shown";  // what Shown is, for legends
    RealisedCircuit Unrounded;                      // from the record's fields
    double RStar = 0;                               // ohms, as entered
    double RKRShown = 0;                            // ohms, parsed from its text
    bool RootFound = false;                         // the search saw a sign change
    std::vector<Diagnostic> Diagnostics;
};

// Relative error above which a realised pole pair counts as off target.
inline constexpr double kPairTolerance = 0.01;

}  // namespace velmora
