// What the build options ask for, parsed and checked (build_options.h makes
// it), and the board request it gives the analysis.
//
//   BuildPlan plan;  plan.Series.Resistors = ESeries::E96;  plan.Trials = 10000;
//   Board board = MakeBoard(design, RequestOf(plan));
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "build/board.h"
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
    // The op-amp every yield assumes: with a GBW given (--gbw, --opamp gbw=),
    // that one, drawn within its spread, cin across C4; else an ideal one.
    YieldOpAmp YieldAmp;
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
    std::string PageSections;         // XHTML the page ends with (the signal's)
};

BoardRequest RequestOf(const BuildPlan& plan);

// Whether the plan changes the board from the design's own values (standard
// values, a trim or a plan): then the design's plots, netlist and report
// show the board.
bool BoardDiffersFromDesign(const BuildPlan& plan);

}  // namespace velmora
