// The filter's schematic, redrawn with each part's value written beside it.
//
//   SchematicLabels labels = LabelsFromTexts(analysis.Texts, "2000");
//   // labels.R1 == "1194.2 Ω", labels.C == "0.1 µF", labels.K == "K = 2.038"
//   std::string svg = SchematicSvg(labels, false);   // for inlining in a page
#pragma once

#include <string>

#include "model/circuit.h"
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

// Of a board: its parts, R*, and RK-R as its fixed part and, with a
// trimmer (potOhms > 0), the trimmer after it.
//   LabelsOfBoard(parts, 2000, 1800, 1000).RKR == "1.8k Ω + VR1 1k Ω"
SchematicLabels LabelsOfBoard(const FilterParts& parts, double rstar, double rkr, double potOhms);

// The labels in one line: "R1 1.18k Ω, R2 4.32k Ω, ..., K = 2.0950".
std::string LabelsLine(const SchematicLabels& labels);

std::string SchematicSvg(const SchematicLabels& labels, bool standalone);

}  // namespace velmora
