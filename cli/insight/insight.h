// velmora-calc options that explain a design: the analysis of the circuit
// as built, diagnostics, a Bode plot, a step-response plot, a SPICE netlist
// and an HTML report. The window's twelve texts stay exactly as they are;
// the analysis follows them, diagnostics go to standard error.
//
//   velmora-calc --preset butterworth --analyse --plot bode.svg --spice bw.cir
//   velmora-calc --preset cheb10 --json --analyse        (adds "analysis", "diagnostics")
//   velmora-calc --preset bessel --report bessel.html --spice-gbw 1e6 --spice b.cir
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "common/calculation.h"
#include "design/design_analysis.h"
#include "model/opamp.h"
#include "output/schematic_svg.h"

namespace velmora {

struct InsightOptions {
    bool Analyse = false;
    std::string PlotFile;      // --plot: Bode plot, SVG
    std::string StepPlotFile;  // --step-plot: step response, SVG
    std::string SpiceFile;     // --spice: netlist
    double SpiceGbwHz = 0;     // --spice-gbw: single-pole op-amp; 0 ideal
    std::string ReportFile;    // --report: HTML page
    // Set by the signal options: the netlist's op-amp, source and load, and
    // the report's signal sections (XHTML), when asked for.
    std::optional<OpAmp> SpiceAmp;
    double SpiceSourceOhms = 0, SpiceLoadOhms = 0;
    std::function<std::string(const DesignAnalysis&)> ReportSections;
    // Set with build options: the board's values for the report's schematic
    // and the subtitles.
    std::optional<SchematicLabels> Board;
};

void AddInsightOptions(CLI::App& app, InsightOptions& options);

// Whether any of the options was given; then the design is analysed and
// its diagnostics are written to standard error.
bool InsightRequested(const InsightOptions& options);

// What the design is called in titles: the preset's label, or "Custom
// pole pairs". Subtitles list the inputs.
std::string DesignTitle(const std::string& presetName);
std::string DesignSubtitle(const InputTexts& inputs);

// The text section after the design report:
//
//   Analysis: the circuit solved from its component values
//                      Target          As shown                 Unrounded
//   Pair 1 f0          1000 Hz         999.965 Hz (-0.004 %)    999.999 Hz (-0.000 %)
//   ...
//   Diagnostics: none
void WriteAnalysisText(std::ostream& out, const DesignAnalysis& analysis);

// {"target": {...}, "as_shown": {...}, "unrounded": {...}, "search_found_root": true};
// numbers that are not finite become null.
nlohmann::ordered_json AnalysisJson(const DesignAnalysis& analysis);
nlohmann::ordered_json DiagnosticsJson(const DesignAnalysis& analysis);

// The design report's JSON object with "analysis" and "diagnostics" added.
void WriteJsonWithAnalysis(std::ostream& out, const InputTexts& inputs,
                           const CalculationResult& result, const DesignAnalysis& analysis);

// "velmora-calc: warning [code]: message", one line each.
void WriteDiagnostics(std::ostream& err, const DesignAnalysis& analysis);

// Writes the requested files; names each one written on `out` (when not
// null) and each failure on `err`. Returns 0, or 1 when a file could not be
// made or written.
int WriteInsightFiles(const InsightOptions& options, const InputTexts& inputs,
                      const DesignAnalysis& analysis, const std::string& title, std::ostream* out,
                      std::ostream& err);

}  // namespace velmora
