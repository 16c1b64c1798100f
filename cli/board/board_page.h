// The board as one self-contained HTML page (--board-report), in the look
// of the design report: the schematic with the board's values and VR1, the
// response and its pole pairs, the trim, its procedure and the spread before
// and after it, the tolerance plans and the bill of materials, for the bench
// and the purchasing folder alike.
//
//   std::string html = BoardPage(plan, board, bill, "Butterworth");
#pragma once

#include <string>
#include <vector>

#include "build/bom.h"
#include "build_plan.h"

namespace velmora {

// response: what the design is, as titles name it ("0.5 dB Tchebysheff").
std::string BoardPage(const BuildPlan& plan, const Board& board, const std::vector<BomLine>& bill,
                      const std::string& response);

}  // namespace velmora
