// The sections of --compensate and --best-build, printed after the build
// report from options already parsed and checked.
//
//   BuildPlan plan;  plan.GbwHz = 100e3;  plan.Search.Compensate = true;
//   WriteSearchReport(plan, inputs, std::cout, std::cerr);
//   // Op-amp compensation: ..., Best standard-value builds: ...
#pragma once

#include <iosfwd>

#include "build_report.h"

namespace velmora {

// Returns 0, or 1 when a file could not be written (named on err).
int WriteSearchReport(const BuildPlan& plan, const InputTexts& inputs, std::ostream& out,
                      std::ostream& err);

}  // namespace velmora
