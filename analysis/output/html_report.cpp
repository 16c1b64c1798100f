#include "html_report.h"

#include "analysis_table.h"
#include "schematic_svg.h"
#include "svg_canvas.h"

namespace velmora {

namespace {

constexpr const char* kStyle = R"(
body { font-family: "DejaVu Sans", Arial, Helvetica, sans-serif; color: #1b1b1b;
       max-width: 940px; margin: 24px auto; padding: 0 16px; line-height: 1.4; }
h1 { font-size: 24px; margin-bottom: 4px; }
h2 { font-size: 18px; margin-top: 28px; border-bottom: 1px solid #d0d0d0; padding-bottom: 4px; }
p.sub { color: #555555; margin-top: 0; }
table { border-collapse: collapse; margin: 8px 0; }
th, td { border: 1px solid #d0d0d0; padding: 4px 10px; text-align: left; }
th { background: #f2f4f7; }
td.num { font-family: "DejaVu Sans Mono", Consolas, monospace; text-align: right; }
ul.diag li { margin-bottom: 6px; }
span.code { font-family: monospace; background: #fbeaea; color: #a12a1f; padding: 0 4px; }
p.ok { color: #1e6b34; }
div.figure { overflow-x: auto; }
)";

constexpr const char* kInputLabels[8] = {"AF1",    "F1",  "AF2", "F2",
                                         "C (uF)", "FSF", "ISF", "R* (ohms)"};

std::string Cell(const std::string& tag, const std::string& text, const char* cls = "") {
    const std::string attr = *cls ? std::string(" class=\"") + cls + "\"" : "";
    return "<" + tag + attr + ">" + EscapeXml(text) + "</" + tag + ">";
}

// A number cell. The display writes an infinity as a thousand digits: the
// cell shows its ends and keeps the whole text as its tooltip.
std::string NumberCell(const std::string& text) {
    if (text.size() <= 24) return Cell("td", text, "num");
    const std::string brief = text.substr(0, 12) + "\u2026" + text.substr(text.size() - 4) + " (" +
                              std::to_string(text.size()) + " characters)";
    return "<td class=\"num\" title=\"" + EscapeXml(text) + "\">" + EscapeXml(brief) + "</td>";
}

std::string InputsTable(const ReportPage& page) {
    std::string head, body;
    for (size_t k = 0; k < 8; ++k) {
        head += Cell("th", kInputLabels[k]);
        body += NumberCell(page.Inputs[k].empty() ? "(empty)" : page.Inputs[k]);
    }
    return "<table><tr>" + head + "</tr><tr>" + body + "</tr></table>\n";
}

std::string ResultsTable(const DesignAnalysis& a) {
    std::string t = "<table><tr><th></th><th>Prototype</th><th>Scaled</th><th>Unit</th></tr>\n";
    for (const ResultRow& r : kResultRows) {
        t += "<tr>" + Cell("th", r.Label) + NumberCell(r.Prototype ? a.Texts[*r.Prototype] : "") +
             NumberCell(r.Scaled ? a.Texts[*r.Scaled] : "") + Cell("td", r.Unit) + "</tr>\n";
    }
    return t + "</table>\n";
}

std::string AnalysisTable(const DesignAnalysis& a) {
    const std::string shown = a.ShownName == DesignAnalysis{}.ShownName ? "As shown" : "Board";
    std::string t =
        "<table><tr><th></th><th>Target</th><th>" + shown + "</th><th>Unrounded</th></tr>\n";
    for (const AnalysisRow& r : AnalysisRows(a))
        t += "<tr>" + Cell("th", r.Label) + Cell("td", r.Target, "num") +
             Cell("td", r.Shown, "num") + Cell("td", r.Unrounded, "num") + "</tr>\n";
    return t + "</table>\n";
}

std::string DiagnosticsList(const DesignAnalysis& a) {
    if (a.Diagnostics.empty())
        return "<p class=\"ok\">None: the circuit as shown realises the pole pairs within 1 %, "
               "and every part can be built.</p>\n";
    std::string list = "<ul class=\"diag\">\n";
    for (const Diagnostic& d : a.Diagnostics)
        list += "<li><span class=\"code\">" + EscapeXml(d.Code) + "</span> " +
                EscapeXml(d.Message) + "</li>\n";
    return list + "</ul>\n";
}

std::string Figure(const std::string& svg, const char* missing) {
    if (svg.empty()) return std::string("<p>") + missing + "</p>\n";
    return "<div class=\"figure\">\n" + svg + "</div>\n";
}

}  // namespace

std::string HtmlReport(const ReportPage& page) {
    const DesignAnalysis& a = *page.Analysis;
    const std::string title = "Four-pole low-pass filter: " + page.Title;
    std::string h =
        "<h1>" + EscapeXml(title) + "</h1>\n<p class=\"sub\">Made by " + EscapeXml(page.Generator) +
        ". The analysis solves the circuit from its component values, independently of the "
        "design equations.</p>\n";
    h += "<h2 id=\"inputs\">Inputs</h2>\n" + InputsTable(page);
    h += "<h2 id=\"results\">Results</h2>\n" + ResultsTable(a);
    h += "<h2 id=\"schematic\">Schematic</h2>\n" +
         Figure(
             SchematicSvg(page.Schematic.value_or(LabelsFromTexts(a.Texts, page.Inputs[7])), false),
             "");
    h += "<h2 id=\"analysis\">Analysis</h2>\n<p>Pole pairs as natural frequency and Q; errors "
         "relative to the "
         "target. " +
         std::string(a.ShownName == DesignAnalysis{}.ShownName
                         ? "As shown: the scaled values rounded as displayed, with K = 1 + RK-R / "
                           "R*. "
                         : "Board: " + a.ShownName + ", with K = 1 + RK-R / R*. ") +
         "Unrounded: the values as computed.</p>\n" + AnalysisTable(a);
    h += "<h2 id=\"diagnostics\">Diagnostics</h2>\n" + DiagnosticsList(a);
    h += "<h2 id=\"frequency-response\">Frequency response</h2>\n" +
         Figure(page.BodeSvg, "Nothing to plot.");
    h += "<h2 id=\"step-response\">Step response</h2>\n" + Figure(page.StepSvg, "Nothing to plot.");
    return HtmlPage(title, h + page.MoreSections);
}

std::string HtmlPage(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
           "<head>\n<meta charset=\"utf-8\"/>\n<title>" +
           EscapeXml(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n" + body +
           "</body>\n</html>\n";
}

}  // namespace velmora
