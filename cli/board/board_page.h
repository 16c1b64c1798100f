// The board as one self-contained HTML page (--board-report), in the look
// of the design report: the trim, its procedure and the spread before and
// after it, the tolerance plans and the bill of materials, for the bench
// and the purchasing folder alike.
//
//   std::string html = BoardPage(plan, build, target, board, bom);
#pragma once

#include <string>
#include <vector>

#include "trim_report.h"

namespace velmora {

std::string BoardPage(const BuildPlan& plan, const SnappedBuild& build, const ResponseShape& target,
                      const BoardOutcome& board, const std::vector<BomLine>& bom);

}  // namespace velmora
