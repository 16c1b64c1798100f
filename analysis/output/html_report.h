// One self-contained HTML page per design, to keep with a project: the
// inputs, the twelve results, the schematic with its values, the analysis,
// the diagnostics and the plots, all inline (no files, scripts or fonts
// fetched). It is well-formed XML as well as HTML, so it can be checked and
// transformed with XML tools.
//
//   ReportPage page{"Butterworth", "velmora-calc 1.03", inputTexts, &analysis, bodeSvg, stepSvg};
//   std::string html = HtmlReport(page);
#pragma once

#include <array>
#include <optional>
#include <string>

#include "design/design_analysis.h"
#include "schematic_svg.h"

namespace velmora {

struct ReportPage {
    std::string Title;                  // what the design is, e.g. the preset's name
    std::string Generator;              // the program and its version
    std::array<std::string, 8> Inputs;  // AF1, F1, AF2, F2, C, FSF, ISF, R* as typed
    const DesignAnalysis* Analysis = nullptr;
    std::string BodeSvg;  // inline <svg> elements (not standalone files)
    std::string StepSvg;
    std::string MoreSections;                  // XHTML appended after the plots, e.g. the signal's
    std::optional<SchematicLabels> Schematic;  // the board's; none: the window's texts
};

std::string HtmlReport(const ReportPage& page);

// A page in the report's look around an XHTML body fragment.
std::string HtmlPage(const std::string& title, const std::string& body);

}  // namespace velmora
