// The sections velmora-calc prints after the design report when build
// options are given: each renders the one board the run worked out.
//
//   Board board = MakeBoard(design, RequestOf(plan));
//   WriteBuildReport(plan, inputs, design, board, "Butterworth", std::cout, std::cerr);
//   // Standard values ..., Monte Carlo ..., Gain trim ..., Bill of materials ...
#pragma once

#include <iosfwd>
#include <string>

#include "build_plan.h"
#include "common/calculation.h"

namespace velmora {

// response: what the design is, as titles name it. Returns 0, or 1 when a
// file could not be written (named on err).
int WriteBuildReport(const BuildPlan& plan, const InputTexts& inputs, const DesignRecord& design,
                     const Board& board, const std::string& response, std::ostream& out,
                     std::ostream& err);

}  // namespace velmora
