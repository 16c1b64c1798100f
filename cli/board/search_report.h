// The sections of --compensate and --best-build, printed after the build
// report from options already parsed and checked.
//
//   BuildPlan plan;  plan.GbwHz = 100e3;  plan.Search.Compensate = true;
//   WriteSearchReport(plan, design, MakeBoard(design, RequestOf(plan)), std::cout, std::cerr);
//   // Op-amp compensation: ..., Best standard-value builds: ...
#pragma once

#include <iosfwd>

#include "build_plan.h"

namespace velmora {

// board: the given build, as the build report makes it. Returns 0, or 1
// when a file could not be written (named on err).
int WriteSearchReport(const BuildPlan& plan, const DesignRecord& design, const Board& board,
                      std::ostream& out, std::ostream& err);

}  // namespace velmora
