#include "insight.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "common/output_files.h"
#include "common/program.h"
#include "common/quantity_options.h"
#include "output/analysis_table.h"
#include "output/bode_plot.h"
#include "output/html_report.h"
#include "output/spice_netlist.h"
#include "output/step_plot.h"
#include "report/report.h"
#include "standard_sets.h"

namespace velmora {

namespace {

nlohmann::ordered_json Number(double v) {
    return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json Figures(const CircuitAnalysis& a) {
    nlohmann::ordered_json j;
    j["valid"] = a.Valid;
    j["stable"] = a.Stable;
    j["dc_gain"] = Number(a.DcGain);
    j["minus3db_hz"] = Number(a.Minus3dBHz);
    j["peaking_db"] = Number(a.PeakingDb);
    j["peak_hz"] = Number(a.PeakHz);
    return j;
}

nlohmann::ordered_json Realised(const RealisedCircuit& r) {
    nlohmann::ordered_json j;
    const FilterParts& p = r.Parts;
    j["parts"] = {{"R1", Number(p.R1)}, {"R2", Number(p.R2)},       {"R3", Number(p.R3)},
                  {"R4", Number(p.R4)}, {"C_farads", Number(p.C1)}, {"K", Number(p.K)}};
    j["pairs"] = nlohmann::ordered_json::array();
    for (const PairCheck& c : r.Pairs)
        j["pairs"].push_back({{"f0_hz", Number(c.Realised.F0Hz)},
                              {"q", Number(c.Realised.Q)},
                              {"f0_error", Number(c.F0Error)},
                              {"q_error", Number(c.QError)}});
    j.update(Figures(r.Analysis));
    return j;
}

bool WriteFile(const std::string& path, const std::string& text, const char* what,
               std::ostream* out, std::ostream& err) {
    if (!WriteTextFile(path, text)) {
        err << kProgram << ": cannot write " << what << " to '" << path << "'\n";
        return false;
    }
    if (out) *out << "Wrote " << what << ": " << path << "\n";
    return true;
}

}  // namespace

void AddInsightOptions(CLI::App& app, InsightOptions& o) {
    const std::string group = "Design insight";
    app.add_flag("--analyse,--analyze", o.Analyse,
                 "solve the circuit from its component values and compare it with the target "
                 "pole pairs (diagnostics on standard error)")
        ->group(group);
    AddOutputOption(app, "--plot", o.PlotFile, kSvgFile,
                    "write a Bode plot (gain, phase, group delay) of target and circuit as SVG")
        ->group(group);
    AddOutputOption(app, "--step-plot", o.StepPlotFile, kSvgFile, "write the step response as SVG")
        ->group(group);
    CLI::Option* spice =
        AddOutputOption(app, "--spice", o.SpiceFile, kNetlistFile,
                        "write a SPICE netlist of the scaled circuit (.cir, .sp or .net)")
            ->group(group);
    AddQuantityOption(
        app, "--spice-gbw", kFrequency,
        [&o](long double hz) { o.SpiceGbwHz = static_cast<double>(hz); },
        "model the netlist's op-amp as a single pole with this gain-bandwidth, e.g. 1MHz "
        "(default: ideal)")
        ->needs(spice)
        ->group(group);
    AddOutputOption(app, "--report", o.ReportFile, kHtmlFile,
                    "write a self-contained HTML page: inputs, results, schematic, analysis, "
                    "diagnostics and plots")
        ->group(group);
}

bool InsightRequested(const InsightOptions& o) {
    return o.Analyse || !o.PlotFile.empty() || !o.StepPlotFile.empty() || !o.SpiceFile.empty() ||
           !o.ReportFile.empty();
}

std::string DesignTitle(const std::string& presetName) {
    const std::optional<int> id = PresetControlId(presetName);
    const StandardSet* set = id ? FindStandardSet(*id) : nullptr;
    return set ? set->Label : "Custom pole pairs";
}

std::string DesignSubtitle(const InputTexts& inputs) {
    std::string s;
    for (size_t k = 0; k < 8; ++k) {
        const std::string& text = inputs.Texts[k];
        s += (k ? (k == 4 ? "; " : ", ") : "") + std::string(kInputNames[k]) + " " +
             (text.empty() ? "(empty)" : text + kInputUnits[k]);
    }
    return s;
}

void WriteAnalysisText(std::ostream& out, const DesignAnalysis& a) {
    const std::vector<AnalysisRow> rows = AnalysisRows(a);
    size_t widths[3] = {6, 8, 8};
    for (const AnalysisRow& r : rows) {
        widths[0] = std::max(widths[0], r.Label.size());
        widths[1] = std::max(widths[1], r.Target.size());
        widths[2] = std::max(widths[2], r.Shown.size());
    }
    const auto pad = [](const std::string& s, size_t width) {
        return s + std::string(width + 3 - std::min(width, s.size()), ' ');
    };
    out << "\nAnalysis: the circuit solved from its component values\n"
        << pad("", widths[0]) << pad("Target", widths[1]) << pad("As shown", widths[2])
        << "Unrounded\n";
    for (const AnalysisRow& r : rows)
        out << pad(r.Label, widths[0]) << pad(r.Target, widths[1]) << pad(r.Shown, widths[2])
            << r.Unrounded << "\n";
    out << "Search for R2: " << (a.RootFound ? "a root was found" : "no root in the range")
        << "\nDiagnostics: ";
    if (a.Diagnostics.empty())
        out << "none\n";
    else
        out << a.Diagnostics.size() << " (on standard error)\n";
}

nlohmann::ordered_json AnalysisJson(const DesignAnalysis& a) {
    nlohmann::ordered_json j;
    nlohmann::ordered_json target;
    target["pairs"] = nlohmann::ordered_json::array();
    for (const PolePair& p : a.Target)
        target["pairs"].push_back({{"f0_hz", Number(p.F0Hz)}, {"q", Number(p.Q)}});
    target.update(Figures(a.TargetFigures));
    j["target"] = target;
    j["as_shown"] = Realised(a.Shown);
    j["unrounded"] = Realised(a.Unrounded);
    j["search_found_root"] = a.RootFound;
    return j;
}

nlohmann::ordered_json DiagnosticsJson(const DesignAnalysis& a) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Diagnostic& d : a.Diagnostics)
        list.push_back({{"code", d.Code}, {"message", d.Message}});
    return list;
}

void WriteJsonWithAnalysis(std::ostream& out, const InputTexts& inputs,
                           const CalculationResult& result, const DesignAnalysis& analysis) {
    nlohmann::ordered_json json = JsonReport(inputs, result);
    json["analysis"] = AnalysisJson(analysis);
    json["diagnostics"] = DiagnosticsJson(analysis);
    // As in the design report: input bytes that are not UTF-8 become U+FFFD.
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

void WriteDiagnostics(std::ostream& err, const DesignAnalysis& a) {
    for (const Diagnostic& d : a.Diagnostics)
        err << kProgram << ": warning [" << d.Code << "]: " << d.Message << "\n";
}

int WriteInsightFiles(const InsightOptions& o, const InputTexts& inputs, const DesignAnalysis& a,
                      const std::string& title, std::ostream* out, std::ostream& err) {
    int status = 0;
    const std::string subtitle =
        o.Board ? "Board: " + LabelsLine(*o.Board) : DesignSubtitle(inputs);
    const bool drawable = a.TargetFigures.Valid || a.Shown.Analysis.Valid;
    const auto refuse = [&](const char* what, const std::string& why) {
        err << kProgram << ": " << what << " not written: " << why << "\n";
        status = 1;
    };

    if (!o.PlotFile.empty()) {
        if (!drawable)
            refuse("Bode plot", "neither the target nor the circuit has a response to draw");
        else if (!WriteFile(o.PlotFile,
                            BodePlotSvg(MakeBodeData(a, title + ": frequency response", subtitle),
                                        "bode", true),
                            "Bode plot", out, err))
            status = 1;
    }
    if (!o.StepPlotFile.empty()) {
        const StepData step = MakeStepData(a, title + ": step response", subtitle);
        if (step.Target.empty() && step.Realised.empty())
            refuse("step plot", "neither the target nor the circuit has a response to draw");
        else if (!WriteFile(o.StepPlotFile, StepPlotSvg(step, "step", true), "step plot", out, err))
            status = 1;
    }
    if (!o.SpiceFile.empty()) {
        const FrequencySpan span = PlotSpan(a);
        const SpiceNetlist net =
            MakeSpiceNetlist(a.Shown.Parts, a.RStar, a.RKRShown,
                             {o.SpiceGbwHz, span.LowHz, span.HighHz, 50, title + "; " + subtitle,
                              o.SpiceAmp, o.SpiceSourceOhms, o.SpiceLoadOhms});
        if (!net.Ok)
            refuse("SPICE netlist", net.Problem);
        else if (!WriteFile(o.SpiceFile, net.Text, "SPICE netlist", out, err))
            status = 1;
    }
    if (!o.ReportFile.empty()) {
        ReportPage page{title, kProgramVersion, inputs.Texts, &a, "", "", "", o.Board};
        if (drawable) {
            page.BodeSvg =
                BodePlotSvg(MakeBodeData(a, "Frequency response", subtitle), "report-bode", false);
            const StepData step = MakeStepData(a, "Step response", subtitle);
            if (!step.Target.empty() || !step.Realised.empty())
                page.StepSvg = StepPlotSvg(step, "report-step", false);
        }
        if (o.ReportSections) page.MoreSections = o.ReportSections(a);
        if (!WriteFile(o.ReportFile, HtmlReport(page), "HTML report", out, err)) status = 1;
    }
    return status;
}

}  // namespace velmora
