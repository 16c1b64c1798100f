// The board sections of velmora-calc: the gain trim with its procedure and
// yields, the tolerance plans, and the board as JSON (--board-json).
//
//   Board board = MakeBoard(design, RequestOf(plan));
//   WriteTrimSection(std::cout, plan, board);   // Gain trim: ... Procedure: 1. ...
//   WritePlanSection(std::cout, plan, board);   // Tolerance plan for a yield of 99 % ...
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "build/bom.h"
#include "build_plan.h"
#include "output/build_plots.h"

namespace velmora {

// The technician's steps, one a line, numbered.
std::vector<std::string> TrimProcedure(const SnappedBuild& build, const KTrim& trim);

// Nothing is written without --trim, or without --plan respectively.
void WriteTrimSection(std::ostream& out, const BuildPlan& plan, const Board& board);
void WritePlanSection(std::ostream& out, const BuildPlan& plan, const Board& board);

// The board (every part of the bill, the trim, its procedure, the plans and
// the yields) as one JSON text.
std::string BoardJson(const BuildPlan& plan, const Board& board, const std::vector<BomLine>& bill);

// The spread of the -3 dB frequency and the peaking after the trim, with
// the same builds before it and a file name; none without a trim.
struct TrimSpread {
    std::string File;
    Histogram Plot;  // after the trim, and before
};
std::vector<TrimSpread> TrimHistograms(const Board& board, const YieldMask& mask);

// Those spreads into dir; false (named on err) when a file cannot be written.
bool WriteTrimPlots(const std::string& dir, const Board& board, const YieldMask& mask,
                    std::ostream& err);

}  // namespace velmora
