// The drawings and the report: well-formed XML, with what a reader needs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design_cases.h"
#include "output/bode_plot.h"
#include "output/html_report.h"
#include "output/schematic_svg.h"
#include "output/step_plot.h"
#include "xml_check.h"

using namespace velmora;

namespace {

TEST(XmlProblem, CatchesWhatBreaksAParser) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"<svg><g/></svg>", ""},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE html>\n<html a='1'>&amp;&#956;</html>", ""},
        {"<svg><g></svg>", "line 1: </svg> closes <g>"},
        {"<svg>a < b</svg>", "line 1: '<' without a tag name"},
        {"<svg>R&D</svg>", "line 1: bare '&'"},
        {"<svg x=1/>", "line 1: unquoted attribute value"},
        {"<svg/><svg/>", "line 1: a second root element <svg>"},
        {"<svg>", "unclosed <svg>"},
        {"<svg t=\"&nbsp;\"/>", "line 1: unknown entity &nbsp;"},
    };
    for (const auto& [text, problem] : rows)
        EXPECT_EQ(XmlProblem(text), problem) << text;
}

// The drawings of a design, standalone and as the report inlines them.
struct Drawings {
    std::string Bode, Step, Schematic, Report;
};

Drawings Draw(const DesignInputs& inputs, const char* title) {
    static DesignAnalysis a;  // the report keeps a pointer
    a = AnalyseDesign(Compute(inputs));
    Drawings d;
    d.Bode = BodePlotSvg(MakeBodeData(a, title, "sub <&> title"), "bode", true);
    d.Step = StepPlotSvg(MakeStepData(a, title, ""), "step", true);
    d.Schematic = SchematicSvg(LabelsFromTexts(a.Texts, inputs.Texts[7]), true);
    d.Report = HtmlReport({title, "velmora-calc", inputs.Texts, &a,
                           BodePlotSvg(MakeBodeData(a, title, ""), "rb", false),
                           StepPlotSvg(MakeStepData(a, title, ""), "rs", false)});
    return d;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Drawings, WellFormedForEveryStandardSetAndTheBrokenCases) {
    std::vector<std::pair<DesignInputs, std::string>> rows;
    for (int id : kStandardSetIds)
        rows.push_back({PresetInputs(id), FindStandardSet(id)->Label});
    rows.push_back({PresetInputs(ID_STD_TBD), "TBD"});
    rows.push_back({ButterworthWith(6, "0"), "ISF 0"});
    for (const auto& [inputs, title] : rows) {
        const Drawings d = Draw(inputs, title.c_str());
        for (const std::string* svg : {&d.Bode, &d.Step, &d.Schematic, &d.Report}) {
            EXPECT_EQ(XmlProblem(*svg), "") << title;
            // A non-finite coordinate would make the renderer drop the element.
            EXPECT_FALSE(Has(*svg, "nan") || Has(*svg, "inf\"")) << title;
        }
    }
}

TEST(Drawings, CarryTheirAxesMarkersAndValues) {
    const Drawings bw = Draw(PresetInputs(ID_STD_BUTTERWORTH), "Butterworth");
    for (const char* part : {"Gain (dB)", "Phase (degrees)", "Group delay (\u00b5s)",
                             "Frequency (Hz)", "-3 dB at 1.0001 kHz", ">1 kHz<", ">10 kHz<",
                             "sub &lt;&amp;&gt; title", "Target: the pole pairs entered"})
        EXPECT_TRUE(Has(bw.Bode, part)) << part;
    EXPECT_FALSE(Has(bw.Bode, "peak +"));  // Butterworth is flat
    EXPECT_TRUE(Has(bw.Step, "overshoot 10.8 %"));
    for (const char* part : {">1194.2 \u03a9<", ">4282. \u03a9<", ">293. \u03a9<", ">0.1 \u00b5F<",
                             ">2076. \u03a9<", ">2000 \u03a9<", ">K = 2.038<"})
        EXPECT_TRUE(Has(bw.Schematic, part)) << part;
    EXPECT_TRUE(Has(bw.Report, "None: the circuit as shown realises the pole pairs"));
    EXPECT_FALSE(Has(bw.Report, "<script"));
    EXPECT_FALSE(Has(bw.Report, "src=") || Has(bw.Report, "href="));

    const Drawings cheb = Draw(PresetInputs(ID_STD_CHEB30), "3.0 dB");
    EXPECT_TRUE(Has(cheb.Bode, "peak +3.01 dB at"));

    const Drawings empty = Draw(PresetInputs(ID_STD_TBD), "TBD");
    EXPECT_FALSE(Has(empty.Bode, "<polyline"));
    EXPECT_TRUE(Has(empty.Report, "no-root"));
}

}  // namespace
