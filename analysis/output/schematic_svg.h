// The filter's schematic, redrawn with each part's value written beside it.
//
//   SchematicLabels labels = LabelsFromTexts(analysis.Texts, "2000");
//   // labels.R1 == "1194.2 Ω", labels.C == "0.1 µF", labels.K == "K = 2.038"
//   std::string svg = SchematicSvg(labels, false);   // for inlining in a page
#pragma once

#include <string>

#include "results.h"

namespace velmora {

struct SchematicLabels {
    std::string R1, R2, R3, R4;  // "1194.2 Ω"
    std::string C;               // each of C1..C4: "0.1 µF"
    std::string RStar, RKR;      // the gain network
    std::string K;               // "K = 2.038"
};

// From the twelve result texts (display order) and the R* input text.
SchematicLabels LabelsFromTexts(const ResultTexts& texts, const std::string& rStarText);

std::string SchematicSvg(const SchematicLabels& labels, bool standalone);

}  // namespace velmora
