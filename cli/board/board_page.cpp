#include "board_page.h"

#include <cstdio>

#include "board_text.h"
#include "common/program.h"
#include "output/html_report.h"
#include "output/schematic_svg.h"
#include "output/svg_canvas.h"
#include "text/quantity_text.h"
#include "trim_report.h"

namespace velmora {

namespace {

std::string Row(std::initializer_list<std::string> cells, const char* tag = "td") {
    std::string row = "<tr>";
    for (const std::string& c : cells)
        row += std::string("<") + tag + ">" + EscapeXml(c) + "</" + tag + ">";
    return row + "</tr>\n";
}

// "4.32k ohm", "100nF".
std::string UnitText(const std::string& unit) {
    return unit == "ohm" ? " ohm" : unit;
}

std::string CircuitSection(const Board& o, const std::string& response) {
    const SnappedBuild& b = o.Build;
    const std::string ohm = " \u03a9";
    const auto value = [](double v, int digits) { return FormatEngineering(v, digits); };
    std::string rkr = value(b.RkrBuilt, 4) + ohm;
    if (o.Trim)
        rkr = value(o.Trim->Trim.FixedOhms, 3) + ohm + " + VR1 " + value(o.Trim->Trim.PotOhms, 3) +
              ohm + " at " + std::to_string(o.TrimPosition) + "/" +
              std::to_string(o.Trim->Trim.Steps);
    const SchematicLabels labels{value(b.Built.R1, 4) + ohm,
                                 value(b.Built.R2, 4) + ohm,
                                 value(b.Built.R3, 4) + ohm,
                                 value(b.Built.R4, 4) + ohm,
                                 value(b.Built.C1, 4) + "F",
                                 value(b.RStar, 4) + ohm,
                                 rkr,
                                 "K = " + Fmt("%.4f", o.Nominal.K)};
    std::string h = "<h2 id=\"circuit\">The board</h2>\n<div class=\"figure\">\n" +
                    SchematicSvg(labels, false) + "</div>\n<table>\n";
    const ResponseShape& t = o.Target;
    h += Row({"Response", response});
    h += Row({"Cutoff", "-3 dB at " + Fmt("%.5g", t.Minus3dBHz) + " Hz"});
    h += Row({"Ripple (peaking)", Fmt("%.3f", t.PeakingDb) + " dB"});
    for (int i = 0; i < 2; ++i)
        h += Row({"Pole pair " + std::to_string(i + 1),
                  "f0 " + Fmt("%.5g", t.Pairs[i].F0Hz) + " Hz, Q " + Fmt("%.4g", t.Pairs[i].Q)});
    return h + "</table>\n";
}

std::string TrimSection(const BuildPlan& plan, const Board& o) {
    const SnappedBuild& b = o.Build;
    const KTrim& k = o.Trim->Trim;
    std::string h =
        "<h2 id=\"trim\">Gain trim</h2>\n<p>RK-R is a fixed resistor and the trimmer "
        "VR1 in series; the technician sets the gain at one test frequency.</p>\n";
    h += "<table>\n";
    h += Row({"Fixed part",
              Ohms(k.FixedOhms) + " (" + SeriesName(FixedSeries(o, RequestOf(plan))) + ")"});
    h += Row({"Trimmer VR1", Ohms(k.PotOhms) + " +-" + Fmt("%g", k.PotTolerance * 100) + " %, " +
                                 std::to_string(k.Steps + 1) + " positions"});
    h += Row({"K range", Fmt("%.4f", LowestK(b, k)) + " to " + Fmt("%.4f", HighestK(b, k)) +
                             " (design " + Fmt("%.4f", b.Ideal.K) + ")"});
    h += Row({"Test", TestText(k) + ", gain " + Fmt("%.4g", k.StatedGain) + ", meter within " +
                          Fmt("%g", k.Meter * 100) + " %"});
    h += Row({"Range covers",
              Percent(1 - static_cast<double>(o.After.OutOfRange) / std::max(o.After.Trials, 1)) +
                  " of builds"});
    h += Row({"Yield before trim", YieldText(o.Before)});
    h += Row({"Yield after trim", YieldText(o.After)});
    h += Row({"The yields assume", OpAmpText(plan.YieldAmp)});
    h += "</table>\n<h3>Procedure</h3>\n<ol>\n";
    for (const std::string& step : TrimProcedure(b, k))
        h += "<li>" + EscapeXml(step.substr(step.find(' ') + 1)) + "</li>\n";
    h += "</ol>\n<h3>Spread before (grey) and after (blue) the trim</h3>\n";
    for (const TrimSpread& t : TrimHistograms(o, plan.Mask))
        h += "<div class=\"figure\">\n" + HistogramSvg(t.Plot, false) + "</div>\n";
    return h;
}

std::string PlanSection(const BuildPlan& plan, const Board& o) {
    std::string h = "<h2 id=\"plan\">Tolerance plan for a yield of " +
                    Fmt("%g", *plan.PlanYield * 100) +
                    " %</h2>\n<p>The cheapest grade of each part; the share is the part's share "
                    "of the spread of the limited figures, to first order.</p>\n<table>\n";
    const bool fits = o.Plans[1].Trim.has_value();
    h += Row({"Part", "Grade without trim", "Share", "Grade with trim", "Share"}, "th");
    for (int part = 0; part < kBoardPartCount; ++part)
        h += Row({BoardPartName(part), Fmt("%g", o.Plans[0].Tol.Of[part] * 100) + " %",
                  Percent(o.Plans[0].Share[part], 1),
                  fits ? Fmt("%g", o.Plans[1].Tol.Of[part] * 100) + " %" : "-",
                  fits ? Percent(o.Plans[1].Share[part], 1) : "-"});
    h += Row({"Yield", YieldText(o.Plans[0].Run), "", fits ? YieldText(o.Plans[1].Run) : "-", ""});
    h += Row({"The yields assume", OpAmpText(plan.YieldAmp), "", "", ""});
    h += "</table>\n";
    for (int k = 0; k < 2; ++k)
        if (!o.Plans[static_cast<size_t>(k)].Reached && (k == 0 || fits))
            h += "<p>" + std::string(k ? "With" : "Without") +
                 " trim no grade offered reaches the target" +
                 EscapeXml(o.WhatWould[k].empty()
                               ? "; a second trim or a looser mask would be needed."
                               : ": " + o.WhatWould[k] + " would.") +
                 "</p>\n";
    return h;
}

}  // namespace

std::string BoardPage(const BuildPlan& plan, const Board& o, const std::vector<BomLine>& bill,
                      const std::string& response) {
    const std::string title = "Four-pole low-pass filter: the board";
    std::string h = "<h1>" + EscapeXml(title) + "</h1>\n<p class=\"sub\">Made by " +
                    EscapeXml(kProgramVersion) + ". " + std::to_string(plan.Trials) +
                    " builds, seed " + std::to_string(plan.Seed) + "; limits: " +
                    EscapeXml(MaskIsEmpty(plan.Mask) ? "none" : MaskText(plan.Mask)) +
                    ". Every part is drawn on its own, " +
                    (plan.Tol.Shape == Distribution::Gaussian
                         ? "as a normal law whose three standard deviations are its tolerance."
                         : "uniformly within +-its tolerance.") +
                    "</p>\n";
    h += CircuitSection(o, response);
    if (o.Trim) h += TrimSection(plan, o);
    if (o.Plans.size() == 2) h += PlanSection(plan, o);
    h += "<h2 id=\"bom\">Bill of materials</h2>\n<table>\n";
    h += Row({"Ref", "Value", "Tolerance", "Description"}, "th");
    for (const BomLine& line : bill)
        h += Row({line.Ref,
                  line.Value > 0 ? FormatEngineering(line.Value, 4) + UnitText(line.Unit) : "",
                  line.Tolerance > 0 ? Fmt("%g", line.Tolerance * 100) + " %" : "",
                  line.Series.empty() ? line.Description : line.Series + " " + line.Description});
    return HtmlPage(title, h + "</table>\n" + plan.PageSections);
}

}  // namespace velmora
