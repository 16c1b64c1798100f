// velmora-calc options that take a design to a board: standard values,
// tolerances, op-amp limits, generated responses, alternative roots, plots
// and a bill of materials. The window's twelve texts stay as they are; these
// options add sections after the design report.
//
//   velmora-calc --response cheb --ripple 0.25 --fsf 2500 --c-out 10nF
//       --series E96 --monte-carlo 10000 --mask f3db=2% --bom
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "build_plan.h"
#include "common/calculation.h"
#include "search_options.h"

namespace velmora {

struct BuildOptions {
    std::string Response, Cutoff;  // --response, --cutoff
    std::optional<double> RippleDb;
    std::string COut;  // --c-out: the capacitor the board gets
    std::string Series, CapSeries;
    bool MatchGain = false;
    std::string IsfSearch;  // "LO:HI"
    int IsfSteps = 401;
    bool Sensitivity = false;
    int Trials = 0;  // --monte-carlo
    std::string TolR = "1%", TolC = "5%", Distribution = "uniform";
    std::optional<unsigned long long> Seed;
    std::vector<std::string> Masks;
    std::string Gbw;
    double GbwSpread = 0, CinF = 0;  // of the op-amp --opamp names, for the yields
    bool Alternatives = false;
    bool Bom = false;
    std::string BomCsv;  // file, "-" for standard output
    std::string PlotDir;
    SearchPlan Search;
    bool Trim = false;
    int TrimSteps = 100;
    std::string TrimMeter = "0.5%";
    std::string PlanYield;  // --plan: the yield the tolerance plan must give
    std::string BoardJson;  // file, "-" for standard output
    std::string BoardReport;
};

void AddBuildOptions(CLI::App& app, BuildOptions& options);

// Whether any option asks for a section after the design report.
bool BuildReportRequested(const BuildOptions& options);

// Fills the input texts that the options decide: AF1, F1, AF2, F2 from
// --response (where no --af1 .. --f2 was given) and ISF from --c-out.
// Draws the Monte Carlo seed when none was given. Returns a usage message,
// or "" when the options fit together.
std::string ApplyBuildInputs(BuildOptions& options, InputTexts& inputs,
                             const std::optional<std::string> (&given)[8], bool hasPreset,
                             bool json);

// The options made into a plan (after ApplyBuildInputs accepted them) and
// the one board of the design they ask for, worked out once.
struct BuildRun {
    BuildPlan Plan;
    Board Made;
};
BuildRun PrepareBuild(const BuildOptions& options, const DesignRecord& design);

// What titles call the design when --response gives it
// ("Tchebysheff 0.5 dB, ripple-band edge at 1"); "" otherwise.
std::string ResponseTitle(const BuildOptions& options);

// The sections after the design report (see build_report.h); the exit
// status: 0, or 1 when a file could not be written.
int WriteBuildSections(const BuildRun& run, const InputTexts& inputs, const DesignRecord& design,
                       const std::string& title, std::ostream& out, std::ostream& err);

}  // namespace velmora
