// The sections velmora-calc prints after the design report when build
// options are given, from options already parsed and checked.
//
//   BuildPlan plan;  plan.Series.Resistors = ESeries::E96;  plan.Trials = 10000;
//   WriteBuildReport(plan, inputs, std::cout, std::cerr);
//   // Standard values ..., Monte Carlo ..., Bill of materials ...
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "build/monte_carlo.h"
#include "build/standard_values.h"
#include "common/calculation.h"
#include "design/response_generator.h"
#include "search_options.h"

namespace velmora {

struct BuildPlan {
    std::optional<ResponseChoice> Response;  // reported; its texts are already in the inputs
    std::optional<double> COutFarads;        // reported; the ISF text is already set from it
    BuildSeries Series;
    bool IsfSearch = false;
    double IsfLow = 0, IsfHigh = 0;
    int IsfSteps = 401;
    bool Sensitivity = false;
    int Trials = 0;
    Tolerances Tol;
    uint64_t Seed = 0;
    YieldMask Mask;
    std::optional<double> GbwHz;
    bool Alternatives = false;
    bool Bom = false;
    std::string BomCsv;   // "" none, "-" standard output
    std::string PlotDir;  // "" none
    SearchPlan Search;
    bool Trim = false;  // the gain trim: a trimmer in RK-R and its procedure
    int TrimSteps = 100;
    double TrimMeter = 0.005;
    std::optional<double> PlanYield;  // a tolerance plan for this yield
    std::string BoardJson;            // "" none, "-" standard output
    std::string BoardReport;          // "" none: an HTML page of the board
};

// "-3 dB within 2 %, peaking within 0.5 dB": the limits in words.
std::string MaskText(const YieldMask& mask);

// One line of a report's table: a label and up to three columns.
std::string Row(const std::string& label, const std::string& a, const std::string& b,
                const std::string& c = "");

// Returns 0, or 1 when a file could not be written (named on err).
int WriteBuildReport(const BuildPlan& plan, const InputTexts& inputs, std::ostream& out,
                     std::ostream& err);

}  // namespace velmora
