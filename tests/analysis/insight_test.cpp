// velmora-calc's insight options: the text and JSON sections and the files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/calculation.h"
#include "insight/insight.h"
#include "report/report.h"
#include "xml_check.h"

using namespace velmora;

namespace {

namespace fs = std::filesystem;

struct PresetRun {
    InputTexts Inputs;
    CalculationResult Result;
    DesignAnalysis Analysis;
};

PresetRun RunPreset(const char* preset) {
    PresetRun r;
    ApplyPreset(r.Inputs, *PresetControlId(preset));
    r.Result = RunCalculation(r.Inputs);
    r.Analysis = AnalyseDesign(r.Result.Design);
    return r;
}

TEST(Insight, TextSectionLinesUpTheThreeColumns) {
    std::ostringstream out;
    WriteAnalysisText(out, RunPreset("butterworth").Analysis);
    const std::string text = out.str();
    for (const char* line :
         {"\nAnalysis: the circuit solved from its component values\n",
          "\n                  Target            As shown                Unrounded\n",
          "\nPair 1 f0         1000 Hz           999.965 Hz (-0.004 %)   999.999 Hz (-0.000 %)\n",
          "\n-3 dB frequency   1000 Hz           1000.08 Hz              1000 Hz\n",
          "\nSearch for R2: a root was found\nDiagnostics: none\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
}

// The analysis is added beside the report's keys; the twelve texts and
// everything else stay exactly as without it.
TEST(Insight, JsonAddsAnalysisAndDiagnostics) {
    const PresetRun r = RunPreset("tbd");
    std::ostringstream plain, with;
    WriteJsonReport(plain, r.Inputs, r.Result);
    WriteJsonWithAnalysis(with, r.Inputs, r.Result, r.Analysis);
    nlohmann::ordered_json a = nlohmann::ordered_json::parse(plain.str());
    nlohmann::ordered_json b = nlohmann::ordered_json::parse(with.str());
    EXPECT_EQ(b["diagnostics"][0]["code"], "no-root");
    EXPECT_EQ(b["analysis"]["search_found_root"], false);
    EXPECT_TRUE(b["analysis"]["as_shown"]["pairs"][0]["f0_hz"].is_null());  // NaN
    EXPECT_EQ(b["analysis"]["as_shown"]["valid"], false);
    b.erase("analysis");
    b.erase("diagnostics");
    EXPECT_EQ(a, b);

    const PresetRun bw = RunPreset("butterworth");
    const nlohmann::ordered_json j = AnalysisJson(bw.Analysis);
    EXPECT_NEAR(j["as_shown"]["minus3db_hz"].get<double>(), 1000.08, 0.01);
    EXPECT_NEAR(j["target"]["pairs"][1]["q"].get<double>(), 1.30656, 1e-5);
    EXPECT_EQ(DiagnosticsJson(bw.Analysis), nlohmann::ordered_json::array());
}

TEST(Insight, DiagnosticsOnTheErrorStream) {
    std::ostringstream err;
    WriteDiagnostics(err, RunPreset("tbd").Analysis);
    const std::string text = err.str();
    EXPECT_EQ(text.rfind("velmora-calc: warning [no-root]: No root in the search range", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
}

TEST(Insight, WritesTheFilesAndReportsFailures) {
    const fs::path dir =
        fs::temp_directory_path() / ("velmora-insight-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const PresetRun r = RunPreset("bessel");
    InsightOptions o;
    o.PlotFile = (dir / "bode.svg").string();
    o.StepPlotFile = (dir / "step.svg").string();
    o.SpiceFile = (dir / "b.cir").string();
    o.ReportFile = (dir / "b.html").string();
    std::ostringstream out, err;
    EXPECT_EQ(WriteInsightFiles(o, r.Inputs, r.Analysis, DesignTitle("bessel"), &out, err), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_NE(out.str().find("Wrote SPICE netlist: " + o.SpiceFile), std::string::npos);
    for (const std::string& file : {o.PlotFile, o.StepPlotFile, o.ReportFile}) {
        std::ifstream in(file);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(XmlProblem(text), "") << file;
        EXPECT_NE(text.find("Bessel"), std::string::npos) << file;
    }

    // Nothing to simulate or draw for empty boxes; an unwritable path fails.
    const PresetRun empty = RunPreset("tbd");
    std::ostringstream err2;
    EXPECT_EQ(WriteInsightFiles(o, empty.Inputs, empty.Analysis, "TBD", nullptr, err2), 1);
    EXPECT_NE(err2.str().find("SPICE netlist not written: R4 is not finite"), std::string::npos);
    EXPECT_NE(err2.str().find("Bode plot not written"), std::string::npos);
    std::ifstream page(o.ReportFile);
    const std::string html((std::istreambuf_iterator<char>(page)), {});
    EXPECT_NE(html.find("Nothing to plot."), std::string::npos);
    EXPECT_EQ(XmlProblem(html), "");
    InsightOptions bad;
    bad.PlotFile = (dir / "no-such-dir" / "x.svg").string();
    std::ostringstream err3;
    EXPECT_EQ(WriteInsightFiles(bad, r.Inputs, r.Analysis, "t", nullptr, err3), 1);
    EXPECT_NE(err3.str().find("cannot write Bode plot"), std::string::npos);
    fs::remove_all(dir);
}

TEST(Insight, TitlesAndOptions) {
    EXPECT_EQ(DesignTitle("cheb05"), "0.5 dB Tchebysheff");
    EXPECT_EQ(DesignTitle(""), "Custom pole pairs");
    InputTexts in;
    EXPECT_EQ(DesignSubtitle(in),
              "AF1 (empty), F1 (empty), AF2 (empty), F2 (empty); C 1 uF, FSF 1000, ISF 0.01, "
              "R* 2000 ohms");

    CLI::App app;
    InsightOptions o;
    AddInsightOptions(app, o);
    EXPECT_FALSE(InsightRequested(o));
    app.parse("--analyze --spice a.cir --spice-gbw 1e7", false);
    EXPECT_TRUE(o.Analyse);
    EXPECT_EQ(o.SpiceGbwHz, 1e7);
    EXPECT_TRUE(InsightRequested(o));
    CLI::App strict;
    InsightOptions s;
    AddInsightOptions(strict, s);
    EXPECT_THROW(strict.parse("--spice-gbw 1e6", false), CLI::RequiresError);
}

}  // namespace
