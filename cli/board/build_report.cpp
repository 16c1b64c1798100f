#include "build_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <ostream>
#include <sstream>

#include "board_page.h"
#include "board_text.h"
#include "build/opamp_gbw.h"
#include "common/program.h"
#include "design.h"
#include "design/alternatives.h"
#include "design/design_target.h"
#include "design/sensitivity.h"
#include "model/circuit_polynomial.h"
#include "model/portable_math.h"
#include "output/build_plots.h"
#include "text/quantity_text.h"
#include "trim_report.h"

namespace velmora {

namespace {

std::string Hz(double v) {
    return Fmt("%.6g", v) + " Hz";
}

// A deviation: signed, three decimals.
std::string Deviation(double fraction) {
    return Percent(fraction, 3, true);
}

void WriteShapes(std::ostream& out, const char* heading, const ResponseShape& target,
                 const ResponseShape& realised) {
    const BuildError e = CompareShapes(target, realised);
    out << Row("", "Target", heading, "Error");
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        out << Row("Pair " + n + " f0", Hz(target.Pairs[i].F0Hz), Hz(realised.Pairs[i].F0Hz),
                   Deviation(e.F0[i]));
        out << Row("Pair " + n + " Q", Fmt("%.5g", target.Pairs[i].Q),
                   Fmt("%.5g", realised.Pairs[i].Q), Deviation(e.Q[i]));
    }
    out << Row("-3 dB", Hz(target.Minus3dBHz), Hz(realised.Minus3dBHz), Deviation(e.Minus3dB));
    out << Row("Peaking", Fmt("%.3f dB", target.PeakingDb), Fmt("%.3f dB", realised.PeakingDb),
               Fmt("%+.3f dB", e.PeakingDb));
    if (!realised.Stable) out << "  The built circuit is UNSTABLE.\n";
}

void WriteParts(std::ostream& out, const SnappedBuild& b) {
    out << Row("", "Computed", "Built", "Deviation");
    const double ideal[] = {b.Ideal.R1, b.Ideal.R2, b.Ideal.R3, b.Ideal.R4, b.RkrIdeal, b.Ideal.C1};
    const double built[] = {b.Built.R1, b.Built.R2, b.Built.R3, b.Built.R4, b.RkrBuilt, b.Built.C1};
    const char* names[] = {"R1", "R2", "R3", "R4", "RK-R", "C1..C4"};
    for (int k = 0; k < 6; ++k) {
        const char* unit = k == 5 ? "F" : " ohm";
        out << Row(names[k], FormatEngineering(ideal[k], 5) + unit,
                   FormatEngineering(built[k], 4) + unit, Deviation(built[k] / ideal[k] - 1));
    }
    out << Row("K", Fmt("%.5f", b.Ideal.K), Fmt("%.5f", b.Built.K),
               Deviation(b.Built.K / b.Ideal.K - 1));
}

// A figure right-aligned in `width` characters, never cut however long.
std::string RightAligned(const std::string& text, size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

std::string Fixed3(double v) {
    const int n = std::snprintf(nullptr, 0, "%.3f", v);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.3f", v);
    text.pop_back();
    return text;
}

// Eight characters a column, or as many as the widest figure needs and one
// more, so that a space always separates two figures.
void WriteSensitivity(std::ostream& out, const PoleSensitivities& s) {
    size_t width = 8;
    for (int i = 0; i < 2; ++i)
        for (int part = 0; part < kPartCount; ++part)
            for (const double v : {s.F0[i][part], s.Q[i][part]})
                width = std::max(width, 1 + Fixed3(v).size());
    out << "  " << std::string(8, ' ');
    for (int part = 0; part < kPartCount; ++part)
        out << RightAligned(PartName(part), width);
    out << "\n";
    for (int i = 0; i < 2; ++i) {
        for (int figure = 0; figure < 2; ++figure) {
            const std::string label = (figure ? "Q " : "f0 ") + std::to_string(i + 1);
            out << "  " << label << std::string(8 - label.size(), ' ');
            for (int part = 0; part < kPartCount; ++part)
                out << RightAligned(Fixed3(figure ? s.Q[i][part] : s.F0[i][part]), width);
            out << "\n";
        }
    }
}

// The part and figure with the largest |S|, for one line per alternative.
// Equal ones (the two pairs' f0 to K often are) go to the first: which of
// them comes out larger in the last bit is rounding, and differs between
// platforms.
std::string WorstText(const PoleSensitivities& s) {
    if (!s.Valid) return "-";
    double worst = -1;
    std::string text;
    for (int i = 0; i < 2; ++i)
        for (int part = 0; part < kPartCount; ++part)
            for (int figure = 0; figure < 2; ++figure) {
                const double v = figure ? s.Q[i][part] : s.F0[i][part];
                if (std::fabs(v) > worst * (1 + 1e-9)) {
                    worst = std::fabs(v);
                    text = Fmt("%.2f", v) + " (pair " + std::to_string(i + 1) + " " +
                           (figure ? "Q" : "f0") + " to " + PartName(part) + ")";
                }
            }
    return text;
}

void WriteSpread(std::ostream& out, const std::string& label, const Spread& s, double target,
                 const char* format) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "  %-10s %12s %12s %12s %12s %12s\n", label.c_str(),
                  Fmt(format, target).c_str(), Fmt(format, s.Mean).c_str(),
                  Fmt(format, s.StdDev).c_str(), Fmt(format, s.Low).c_str(),
                  Fmt(format, s.High).c_str());
    out << buffer;
}

std::string SeriesLabel(const BuildSeries& s) {
    return std::string("resistors ") + (s.Resistors ? SeriesName(*s.Resistors) : "as computed") +
           ", capacitors " + (s.Capacitors ? SeriesName(*s.Capacitors) : "as computed");
}

std::vector<double> LogGrid(double lo, double hi, int n) {
    std::vector<double> hz;
    for (int k = 0; k < n; ++k)
        hz.push_back(lo * Pow(hi / lo, static_cast<double>(k) / (n - 1)));
    return hz;
}

ResponseCurve CurveOf(const std::string& name, const std::vector<double>& hz,
                      const std::function<std::complex<double>(double)>& h) {
    ResponseCurve c{name, hz, {}};
    for (double f : hz)
        c.GainDb.push_back(20 * Log10(Abs(h(f))));
    return c;
}

// 1. Where the inputs came from.
void WriteSource(std::ostream& out, const BuildPlan& plan, const InputTexts& inputs) {
    if (plan.Response)
        out << "\nResponse: " << DescribeResponse(*plan.Response) << "\n  AF1 "
            << inputs.Texts[Input::AF1] << ", F1 " << inputs.Texts[Input::F1] << ", AF2 "
            << inputs.Texts[Input::AF2] << ", F2 " << inputs.Texts[Input::F2] << "\n";
    if (plan.COutFarads)
        out << "\nCapacitors of " << FormatEngineering(*plan.COutFarads, 4)
            << "F on the board: ISF " << inputs.Texts[Input::ISF] << "\n";
}

// 2. The build: snapped at the design's ISF, or at the best of a range.
void WriteStandardValues(std::ostream& out, const BuildPlan& plan, const Board& board) {
    const SnappedBuild& build = board.Build;
    if (board.IsfSearch)
        out << "\nISF search: " << board.IsfSearch->Tried << " values from "
            << Fmt("%g", plan.IsfLow) << " to " << Fmt("%g", plan.IsfHigh) << "; used ISF "
            << Fmt("%.6g", build.Isf) << " (root sum square of the f0 and Q errors "
            << Fmt("%.3f", board.IsfSearch->Error.Rss * 100) << " %)\n";
    if (!plan.Series.Resistors && !plan.Series.Capacitors && !plan.IsfSearch) return;
    out << "\nStandard values: " << SeriesLabel(plan.Series) << ", R* " << Fmt("%g", build.RStar)
        << (build.RStar == build.RStarGiven ? " ohm as given" : " ohm chosen for K") << ", ISF "
        << Fmt("%.6g", build.Isf) << "\n";
    WriteParts(out, build);
    out << "\n";
    WriteShapes(out, "Built", board.Target, board.Built);
}

// 3. Sensitivities of what is built.
void WriteSensitivities(std::ostream& out, const BuildPlan& plan, const Board& board) {
    if (!plan.Sensitivity) return;
    out << "\nSensitivities S = (dy/y)/(dx/x) of the built circuit:\n";
    WriteSensitivity(out, SensitivitiesOf(board.Build.Built));
}

// 4. The op-amp.
void WriteOpAmp(std::ostream& out, const BuildPlan& plan, const Board& board) {
    if (!plan.GbwHz) return;
    const FilterParts& parts = board.Build.Built;
    out << "\nOp-amp: single pole, GBW " << FormatEngineering(*plan.GbwHz, 4)
        << "Hz, DC gain 100 dB\n";
    const ResponseShape real = ShapeWithGbw(parts, *plan.GbwHz);
    WriteShapes(out, "With op-amp", board.Built, real);
    out << "  (target here: the same parts with an ideal amplifier; extra pole at "
        << FormatEngineering(real.ExtraPoleHz, 3) << "Hz)\n";
    out << "  Least GBW keeping f0 and Q within 1 %: "
        << (board.Gbw.Found ? FormatEngineering(board.Gbw.GbwHz, 3) + "Hz" : "none") << "\n";
}

// 5. The spread of the given grades.
void WriteMonteCarlo(std::ostream& out, const BuildPlan& plan, const Board& board) {
    if (plan.Trials <= 0) return;
    const MonteCarloResult& mc = board.Spread;
    const ResponseShape& target = board.Target;
    out << "\nMonte Carlo: " << plan.Trials << " builds, R " << Fmt("%g", plan.Tol.Resistor * 100)
        << " %, C " << Fmt("%g", plan.Tol.Capacitor * 100) << " %, "
        << (plan.Tol.Shape == Distribution::Gaussian ? "Gaussian (tolerance = 3 sigma)" : "uniform")
        << ", seed " << plan.Seed << "\n";
    char head[256];
    std::snprintf(head, sizeof head, "  %-10s %12s %12s %12s %12s %12s\n", "", "Target", "Mean",
                  "Std dev", "0.5 %", "99.5 %");
    out << head;
    for (int i = 0; i < 2; ++i) {
        WriteSpread(out, "f0 " + std::to_string(i + 1) + " Hz", mc.F0[i], target.Pairs[i].F0Hz,
                    "%.5g");
        WriteSpread(out, "Q " + std::to_string(i + 1), mc.Q[i], target.Pairs[i].Q, "%.4g");
    }
    WriteSpread(out, "-3 dB Hz", mc.Minus3dB, target.Minus3dBHz, "%.5g");
    WriteSpread(out, "Peaking dB", mc.PeakingDb, target.PeakingDb, "%.3f");
    if (mc.Failed > 0) out << "  Unstable or degenerate builds: " << mc.Failed << "\n";
    if (MaskIsEmpty(plan.Mask)) return;
    out << "  Yield (" << MaskText(plan.Mask) << "): ";
    if (!CanBeMade(board.Build))
        out << "none, no board: a part would be negative or is missing\n";
    else
        out << YieldText(mc.Passed, mc.Trials) << ", " << OpAmpText(plan.YieldAmp) << "\n";
}

// 6. Other roots of the design equation.
void WriteAlternatives(std::ostream& out, const BuildPlan& plan, const DesignRecord& d) {
    if (!plan.Alternatives) return;
    const std::vector<AlternativeDesign> all = AlternativeDesigns(d);
    int buildable = 0;
    for (const AlternativeDesign& a : all)
        buildable += a.Buildable;
    out << "\nAlternative designs: " << all.size() << " root(s) of the design equation, "
        << buildable << " with every part positive (scaled values)\n";
    char line[256];
    std::snprintf(line, sizeof line, "  %-3s %-10s %-10s %-10s %-8s %-10s %s\n", "#", "R1",
                  "R2 = R3", "R4", "K", "RK-R", "worst S");
    out << line;
    int n = 0;
    for (const AlternativeDesign& a : all) {
        std::snprintf(line, sizeof line, "  %-3d %-10s %-10s %-10s %-8.4f %-10s %s%s%s\n", ++n,
                      FormatEngineering(a.Scaled.R1, 5).c_str(),
                      FormatEngineering(a.Scaled.R2, 5).c_str(),
                      FormatEngineering(a.Scaled.R4, 5).c_str(), a.K,
                      FormatEngineering(RkrFor(a.K, d.RStar), 5).c_str(),
                      WorstText(a.Sensitivity).c_str(), a.Shown ? "  <- the window's" : "",
                      a.Buildable ? "" : " (not buildable: a part is negative)");
        out << line;
    }
}

// 7. The bill of materials, as text, CSV and the board's page.
bool WriteBill(std::ostream& out, std::ostream& err, const BuildPlan& plan, const Board& board,
               const std::vector<BomLine>& bill, const std::string& response) {
    bool ok = true;
    if (!plan.BoardReport.empty())
        ok = WriteOutputFile(plan.BoardReport, BoardPage(plan, board, bill, response), err);
    if (plan.Bom) {
        out << "\nBill of materials:\n";
        WriteBomText(out, bill);
    }
    if (plan.BomCsv.empty()) return ok;
    std::ostringstream csv;
    WriteBomCsv(csv, bill);
    if (plan.BomCsv == "-")
        out << "\n" << csv.str();
    else
        ok = WriteOutputFile(plan.BomCsv, csv.str(), err) && ok;
    return ok;
}

// 8. Plots: the board's response against the target, its spread.
bool WritePlots(const BuildPlan& plan, const DesignRecord& d, const Board& board,
                std::ostream& err) {
    const auto inDir = [&](const std::string& name) { return FileInFolder(plan.PlotDir, name); };
    const ResponseShape& target = board.Target;
    const FilterParts& parts = board.Nominal;
    const double f0 = std::sqrt(target.Pairs[0].F0Hz * target.Pairs[1].F0Hz);
    const std::vector<double> hz = LogGrid(f0 / 20, f0 * 20, 400);
    const Polynomial td = TargetDenominator(d);
    std::vector<ResponseCurve> curves = {
        CurveOf("Target", hz,
                [&](double f) {
                    return d.K * td[0] / EvaluatePolynomial(td, {0, 2 * std::numbers::pi * f});
                }),
        CurveOf("Built", hz, [&](double f) {
            const CircuitPolynomial c = CircuitPolynomialOf(parts);
            return parts.K * c.Numerator /
                   EvaluatePolynomial(IdealDenominator(c, parts.K), {0, 2 * std::numbers::pi * f});
        })};
    if (plan.GbwHz)
        curves.push_back(CurveOf("Built, GBW " + FormatEngineering(*plan.GbwHz, 3) + "Hz", hz,
                                 [&](double f) { return ResponseWithGbw(parts, *plan.GbwHz, f); }));
    bool ok = WriteOutputFile(
        inDir("build_response.svg"),
        ResponseSvg("Built vs target response",
                    "Target: the pole pairs as entered; built: " + SeriesLabel(plan.Series) +
                        ", ISF " + Fmt("%.6g", board.Build.Isf),
                    curves, hz.front(), hz.back()),
        err);
    if (plan.Trials > 0) {
        const MonteCarloResult& mc = board.Spread;
        const auto band = [&](double t, double m) {
            return m > 0 ? std::pair{t * (1 - m), t * (1 + m)} : std::pair{0.0, 0.0};
        };
        const auto [lo3, hi3] = band(target.Minus3dBHz, plan.Mask.Minus3dB);
        ok = WriteOutputFile(inDir("build_mc_f3db.svg"),
                             HistogramSvg({"-3 dB frequency",
                                           "Hz",
                                           {&mc.Minus3dBSamples, mc.Failed},
                                           target.Minus3dBHz,
                                           lo3,
                                           hi3,
                                           {}}),
                             err) &&
             ok;
        const double pk = plan.Mask.PeakingDb;
        ok = WriteOutputFile(inDir("build_mc_peaking.svg"),
                             HistogramSvg({"Peaking",
                                           "dB",
                                           {&mc.PeakingSamples, mc.Failed},
                                           target.PeakingDb,
                                           pk > 0 ? target.PeakingDb - pk : 0,
                                           pk > 0 ? target.PeakingDb + pk : 0,
                                           {}}),
                             err) &&
             ok;
        for (int i = 0; i < 2; ++i) {
            const std::string n = std::to_string(i + 1);
            const auto [lof, hif] = band(target.Pairs[i].F0Hz, plan.Mask.F0);
            const auto [loq, hiq] = band(target.Pairs[i].Q, plan.Mask.Q);
            ok = WriteOutputFile(inDir("build_mc_f0_" + n + ".svg"),
                                 HistogramSvg({"f0 of pair " + n,
                                               "Hz",
                                               {&mc.F0Samples[i], mc.Failed},
                                               target.Pairs[i].F0Hz,
                                               lof,
                                               hif,
                                               {}}),
                                 err) &&
                 ok;
            ok = WriteOutputFile(inDir("build_mc_q_" + n + ".svg"),
                                 HistogramSvg({"Q of pair " + n,
                                               "",
                                               {&mc.QSamples[i], mc.Failed},
                                               target.Pairs[i].Q,
                                               loq,
                                               hiq,
                                               {}}),
                                 err) &&
                 ok;
        }
    }
    return WriteTrimPlots(plan.PlotDir, board, plan.Mask, err) && ok;
}

}  // namespace

int WriteBuildReport(const BuildPlan& plan, const InputTexts& inputs, const DesignRecord& d,
                     const Board& board, const std::string& response, std::ostream& out,
                     std::ostream& err) {
    int status = 0;
    WriteSource(out, plan, inputs);
    WriteStandardValues(out, plan, board);
    WriteSensitivities(out, plan, board);
    WriteOpAmp(out, plan, board);
    WriteMonteCarlo(out, plan, board);
    WriteTrimSection(out, plan, board);
    WritePlanSection(out, plan, board);
    const bool billed =
        plan.Bom || !plan.BomCsv.empty() || !plan.BoardJson.empty() || !plan.BoardReport.empty();
    if (billed && !CanBeMade(board.Build)) {
        // A design that could not be computed has no parts to order: its
        // "values" would be infinities and not-a-numbers.
        err << "velmora-calc: no board: a part would be negative or is missing; no bill of "
               "materials written\n";
        status = 1;
        WriteAlternatives(out, plan, d);
    } else {
        const std::vector<BomLine> bill = BoardBill(board, RequestOf(plan));
        if (!plan.BoardJson.empty()) {
            const std::string json = BoardJson(plan, board, bill);
            if (plan.BoardJson == "-")
                out << "\n" << json;
            else if (!WriteOutputFile(plan.BoardJson, json, err))
                status = 1;
        }
        WriteAlternatives(out, plan, d);
        if (!WriteBill(out, err, plan, board, bill, response)) status = 1;
    }
    if (!plan.PlotDir.empty()) {
        if (WritePlots(plan, d, board, err))
            out << "\nPlots written to " << plan.PlotDir << "\n";
        else
            status = 1;
    }
    return status;
}

}  // namespace velmora
