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
#include "build/bom.h"
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

namespace velmora {

namespace {

constexpr double kGbwLimit = 0.01;  // f0 and Q within 1 % of the ideal amplifier

std::string Hz(double v) {
    return Fmt("%.6g", v) + " Hz";
}

std::string Percent(double fraction) {
    return Fmt("%+.3f", fraction * 100) + " %";
}

DesignRecord Design(const InputTexts& inputs) {
    DesignRecord d;
    ReadInputs(d, [&](int id) {
        for (size_t k = 0; k < 8; ++k)
            if (kInputIds[k] == id) return inputs.Texts[k];
        return std::string();
    });
    ComputeDesign(d);
    return d;
}

void WriteShapes(std::ostream& out, const char* heading, const ResponseShape& target,
                 const ResponseShape& realised) {
    const BuildError e = CompareShapes(target, realised);
    out << Row("", "Target", heading, "Error");
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        out << Row("Pair " + n + " f0", Hz(target.Pairs[i].F0Hz), Hz(realised.Pairs[i].F0Hz),
                   Percent(e.F0[i]));
        out << Row("Pair " + n + " Q", Fmt("%.5g", target.Pairs[i].Q),
                   Fmt("%.5g", realised.Pairs[i].Q), Percent(e.Q[i]));
    }
    out << Row("-3 dB", Hz(target.Minus3dBHz), Hz(realised.Minus3dBHz), Percent(e.Minus3dB));
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
                   FormatEngineering(built[k], 4) + unit, Percent(built[k] / ideal[k] - 1));
    }
    out << Row("K", Fmt("%.5f", b.Ideal.K), Fmt("%.5f", b.Built.K),
               Percent(b.Built.K / b.Ideal.K - 1));
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

bool WriteFile(const std::string& path, const std::string& text, std::ostream& err) {
    const bool written = WriteTextFile(FilePath(path), text);
    if (!written) err << kProgram << ": cannot write " << path << "\n";
    return written;
}

}  // namespace

std::string MaskText(const YieldMask& m) {
    std::string text;
    const auto add = [&](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    if (m.Minus3dB > 0) add("-3 dB within " + Fmt("%g", m.Minus3dB * 100) + " %");
    if (m.F0 > 0) add("f0 within " + Fmt("%g", m.F0 * 100) + " %");
    if (m.Q > 0) add("Q within " + Fmt("%g", m.Q * 100) + " %");
    if (m.PeakingDb > 0) add("peaking within " + Fmt("%g", m.PeakingDb) + " dB");
    return text;
}

int WriteBuildReport(const BuildPlan& plan, const InputTexts& inputs, std::ostream& out,
                     std::ostream& err) {
    int status = 0;
    // The plot folder first: a CSV bill may be asked for inside it.
    if (!plan.PlotDir.empty()) {
        std::error_code ignored;  // a folder that cannot be made shows as unwritable files
        std::filesystem::create_directories(FilePath(plan.PlotDir), ignored);
    }
    const DesignRecord d = Design(inputs);
    const ResponseShape target = TargetShape(d);

    // 1. Where the inputs came from.
    if (plan.Response)
        out << "\nResponse: " << DescribeResponse(*plan.Response) << "\n  AF1 "
            << inputs.Texts[Input::AF1] << ", F1 " << inputs.Texts[Input::F1] << ", AF2 "
            << inputs.Texts[Input::AF2] << ", F2 " << inputs.Texts[Input::F2] << "\n";
    if (plan.COutFarads)
        out << "\nCapacitors of " << FormatEngineering(*plan.COutFarads, 4)
            << "F on the board: ISF " << inputs.Texts[Input::ISF] << "\n";

    // 2. The build: snapped at the design's ISF, or at the best of a range.
    SnappedBuild build = SnapDesign(d, plan.Series, d.ISF);
    if (plan.IsfSearch) {
        const IsfSearchResult best =
            SearchIsf(d, plan.Series, plan.IsfLow, plan.IsfHigh, plan.IsfSteps);
        if (std::isfinite(best.Error.Rss)) build = best.Build;
        out << "\nISF search: " << best.Tried << " values from " << Fmt("%g", plan.IsfLow) << " to "
            << Fmt("%g", plan.IsfHigh) << "; used ISF " << Fmt("%.6g", build.Isf)
            << " (root sum square of the f0 and Q errors " << Fmt("%.3f", best.Error.Rss * 100)
            << " %)\n";
    }
    const ResponseShape built = ShapeOfParts(build.Built);
    if (plan.Series.Resistors || plan.Series.Capacitors || plan.IsfSearch) {
        out << "\nStandard values: " << SeriesLabel(plan.Series) << ", R* "
            << Fmt("%g", build.RStar)
            << (build.RStar == build.RStarGiven ? " ohm as given" : " ohm chosen for K") << ", ISF "
            << Fmt("%.6g", build.Isf) << "\n";
        WriteParts(out, build);
        out << "\n";
        WriteShapes(out, "Built", target, built);
    }

    // 3. Sensitivities of what is built.
    if (plan.Sensitivity) {
        out << "\nSensitivities S = (dy/y)/(dx/x) of the built circuit:\n";
        WriteSensitivity(out, SensitivitiesOf(build.Built));
    }

    // 4. The op-amp.
    GbwLimit gbwLimit;
    if (plan.GbwHz || plan.Bom || !plan.BomCsv.empty())
        gbwLimit = MinimumGbw(build.Built, kGbwLimit);
    if (plan.GbwHz) {
        out << "\nOp-amp: single pole, GBW " << FormatEngineering(*plan.GbwHz, 4)
            << "Hz, DC gain 100 dB\n";
        const ResponseShape real = ShapeWithGbw(build.Built, *plan.GbwHz);
        WriteShapes(out, "With op-amp", built, real);
        out << "  (target here: the same parts with an ideal amplifier; extra pole at "
            << FormatEngineering(real.ExtraPoleHz, 3) << "Hz)\n";
        out << "  Least GBW keeping f0 and Q within 1 %: "
            << (gbwLimit.Found ? FormatEngineering(gbwLimit.GbwHz, 3) + "Hz" : "none") << "\n";
    }

    // 5. Monte Carlo.
    MonteCarloResult mc;
    if (plan.Trials > 0) {
        const MonteCarloSetup setup{build.Built, build.RStar, build.RkrBuilt,
                                    plan.Tol,    plan.Trials, plan.Seed};
        mc = RunMonteCarlo(setup, target, plan.Mask);
        out << "\nMonte Carlo: " << plan.Trials << " builds, R "
            << Fmt("%g", plan.Tol.Resistor * 100) << " %, C " << Fmt("%g", plan.Tol.Capacitor * 100)
            << " %, "
            << (plan.Tol.Shape == Distribution::Gaussian ? "Gaussian (tolerance = 3 sigma)"
                                                         : "uniform")
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
        if (!MaskIsEmpty(plan.Mask) && !CanBeMade(build))
            out << "  Yield (" << MaskText(plan.Mask)
                << "): none, no board: a part would be negative or is missing\n";
        else if (!MaskIsEmpty(plan.Mask))
            out << "  Yield (" << MaskText(plan.Mask) << "): " << Fmt("%.2f", mc.Yield * 100)
                << " % (" << mc.Passed << " of " << mc.Trials << ")\n";
    }

    // 5b. The trim and the tolerance plans.
    const BoardOutcome board = WriteBoardSections(plan, build, target, out);
    if (plan.BoardJson == "-")
        out << "\n" << board.Json;
    else if (!plan.BoardJson.empty() && !WriteFile(plan.BoardJson, board.Json, err))
        status = 1;

    // 6. Other roots of the design equation.
    if (plan.Alternatives) {
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

    // 7. Bill of materials.
    std::vector<BomLine> bom = BillOfMaterials(build, plan.Series, &plan.Tol, &gbwLimit);
    ApplyBoard(bom, board);
    if (!plan.BoardReport.empty() &&
        !WriteFile(plan.BoardReport, BoardPage(plan, build, target, board, bom), err))
        status = 1;
    if (plan.Bom) {
        out << "\nBill of materials:\n";
        WriteBomText(out, bom);
    }
    if (plan.BomCsv == "-") {
        out << "\n";
        WriteBomCsv(out, bom);
    } else if (!plan.BomCsv.empty()) {
        std::ostringstream csv;
        WriteBomCsv(csv, bom);
        if (!WriteTextFile(FilePath(plan.BomCsv), csv.str())) {
            err << kProgram << ": cannot write " << plan.BomCsv << "\n";
            status = 1;
        }
    }

    // 8. Plots.
    if (!plan.PlotDir.empty()) {
        const auto inDir = [&](const std::string& name) {
            return FileInFolder(plan.PlotDir, name);
        };
        const double f0 = std::sqrt(target.Pairs[0].F0Hz * target.Pairs[1].F0Hz);
        const std::vector<double> hz = LogGrid(f0 / 20, f0 * 20, 400);
        const Polynomial td = TargetDenominator(d);
        std::vector<ResponseCurve> curves = {
            CurveOf("Target", hz,
                    [&](double f) {
                        return d.K * td[0] / EvaluatePolynomial(td, {0, 2 * std::numbers::pi * f});
                    }),
            CurveOf("Built", hz, [&](double f) {
                const CircuitPolynomial c = CircuitPolynomialOf(build.Built);
                return build.Built.K * c.Numerator /
                       EvaluatePolynomial(IdealDenominator(c, build.Built.K),
                                          {0, 2 * std::numbers::pi * f});
            })};
        if (plan.GbwHz)
            curves.push_back(
                CurveOf("Built, GBW " + FormatEngineering(*plan.GbwHz, 3) + "Hz", hz,
                        [&](double f) { return ResponseWithGbw(build.Built, *plan.GbwHz, f); }));
        bool ok = WriteFile(
            inDir("build_response.svg"),
            ResponseSvg("Built vs target response",
                        "Target: the pole pairs as entered; built: " + SeriesLabel(plan.Series) +
                            ", ISF " + Fmt("%.6g", build.Isf),
                        curves, hz.front(), hz.back()),
            err);
        if (plan.Trials > 0) {
            const auto band = [&](double t, double m) {
                return m > 0 ? std::pair{t * (1 - m), t * (1 + m)} : std::pair{0.0, 0.0};
            };
            const auto [lo3, hi3] = band(target.Minus3dBHz, plan.Mask.Minus3dB);
            ok = WriteFile(inDir("build_mc_f3db.svg"),
                           HistogramSvg({"-3 dB frequency", "Hz", mc.Minus3dBSamples,
                                         target.Minus3dBHz, lo3, hi3}),
                           err) &&
                 ok;
            const double pk = plan.Mask.PeakingDb;
            ok = WriteFile(inDir("build_mc_peaking.svg"),
                           HistogramSvg({"Peaking", "dB", mc.PeakingSamples, target.PeakingDb,
                                         pk > 0 ? target.PeakingDb - pk : 0,
                                         pk > 0 ? target.PeakingDb + pk : 0}),
                           err) &&
                 ok;
            for (int i = 0; i < 2; ++i) {
                const std::string n = std::to_string(i + 1);
                const auto [lof, hif] = band(target.Pairs[i].F0Hz, plan.Mask.F0);
                const auto [loq, hiq] = band(target.Pairs[i].Q, plan.Mask.Q);
                ok = WriteFile(inDir("build_mc_f0_" + n + ".svg"),
                               HistogramSvg({"f0 of pair " + n, "Hz", mc.F0Samples[i],
                                             target.Pairs[i].F0Hz, lof, hif}),
                               err) &&
                     ok;
                ok = WriteFile(inDir("build_mc_q_" + n + ".svg"),
                               HistogramSvg({"Q of pair " + n, "", mc.QSamples[i],
                                             target.Pairs[i].Q, loq, hiq}),
                               err) &&
                     ok;
            }
        }
        ok = WriteTrimPlots(plan.PlotDir, board, target, plan.Mask, err) && ok;
        if (!ok)
            status = 1;
        else
            out << "\nPlots written to " << plan.PlotDir << "\n";
    }
    return status;
}

std::string Row(const std::string& label, const std::string& a, const std::string& b,
                const std::string& c) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "  %-14s %-16s %-16s %s\n", label.c_str(), a.c_str(),
                  b.c_str(), c.c_str());
    return buffer;
}

}  // namespace velmora
