// The analysis of a design as a table of texts, for people: the target, the
// circuit as shown and the unrounded circuit side by side.
//
//   for (const AnalysisRow& row : AnalysisRows(analysis)) ...
//   // {"Pair 1 f0", "1000 Hz", "999.965 Hz (-0.004 %)", "999.999 Hz (-0.000 %)"}
//   // {"-3 dB frequency", "1000 Hz", "1000.08 Hz", "1000 Hz"}
#pragma once

#include <string>
#include <vector>

#include "design/design_analysis.h"

namespace velmora {

struct AnalysisRow {
    std::string Label;
    std::string Target;
    std::string Shown;
    std::string Unrounded;
};

// Pair 1 f0, Pair 1 Q, Pair 2 f0, Pair 2 Q, DC gain, -3 dB frequency,
// Peaking, Stable. Pairs are in the order they were entered.
std::vector<AnalysisRow> AnalysisRows(const DesignAnalysis& analysis);

}  // namespace velmora
