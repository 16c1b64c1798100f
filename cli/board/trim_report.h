// The board sections of velmora-calc: the gain trim with its procedure and
// yields, and the tolerance plans, as text and as JSON (--board-json).
//
//   BoardOutcome o = WriteBoardSections(plan, build, target, std::cout);
//   // Gain trim ..., Tolerance plan ...; o.Trim and o.Grades go to the BOM
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "build/bom.h"
#include "build/tolerance_plan.h"
#include "build_report.h"
#include "output/build_plots.h"

namespace velmora {

struct BoardOutcome {
    std::optional<TrimDesign> GivenTrim;   // --trim, at the given grades
    BoardRun Before, After;                // of GivenTrim, samples kept
    std::vector<TolerancePlan> Plans;      // --plan: without and with the trim
    std::string WhatWould[2];              // of a plan that falls short
    std::optional<TrimDesign> Trim;        // the trim the board gets
    std::optional<PartTolerances> Grades;  // the grades it gets, with --plan
    std::string FixedSeries;               // of RK-R's fixed part
    std::string Json;                      // with --board-json
};

// The trim as the options ask for it: steps, meter, the fixed part's series.
TrimOptions TrimOptionsOf(const BuildPlan& plan);

// Nothing is written when neither --trim nor --plan is given.
BoardOutcome WriteBoardSections(const BuildPlan& plan, const SnappedBuild& build,
                                const ResponseShape& target, std::ostream& out);

// The spread of the -3 dB frequency and the peaking after the trim, with
// the same builds before it and a file name; none without --trim.
struct TrimSpread {
    std::string File;
    Histogram Plot;  // after the trim, and before
};
std::vector<TrimSpread> TrimHistograms(const BoardOutcome& board, const ResponseShape& target,
                                       const YieldMask& mask);

// The spread of the -3 dB frequency and the peaking before and after the
// trim, into dir; false (named on err) when a file cannot be written.
bool WriteTrimPlots(const std::string& dir, const BoardOutcome& board, const ResponseShape& target,
                    const YieldMask& mask, std::ostream& err);

// The technician's steps, one a line, numbered.
std::vector<std::string> TrimProcedure(const SnappedBuild& build, const KTrim& trim);

// The bill of materials of the board: RK-R as its fixed part and the
// trimmer VR1 after it, and each part's planned grade.
void ApplyBoard(std::vector<BomLine>& bom, const BoardOutcome& board);

}  // namespace velmora
