#include "build_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <random>

#include "build_report.h"
#include "common/output_files.h"
#include "common/quantity_options.h"
#include "design.h"
#include "design/response_generator.h"
#include "number_text.h"
#include "search_report.h"

namespace velmora {

namespace {

bool SameText(std::string a, std::string b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) !=
            std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

// Shortest text that reads back to the same double.
std::string ExactText(double value) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    return std::string(buffer, r.ptr);
}

// "f3db=2%", "q=5%", "peak=0.5dB"; several may share one text, comma-separated.
std::string ParseMask(const std::string& text, YieldMask& mask) {
    for (const auto& [name, limit] : SplitSettings(text)) {
        if (!limit) return "mask '" + name + "' is not NAME=LIMIT";
        const QuantityReading r =
            ReadQuantity("--mask " + name, *limit, SameText(name, "peak") ? kDecibels : kMaskLimit);
        if (!r.Value) return r.Error;
        const double fraction = static_cast<double>(*r.Value);
        if (SameText(name, "peak"))
            mask.PeakingDb = fraction;
        else if (SameText(name, "f3db"))
            mask.Minus3dB = fraction;
        else if (SameText(name, "f0"))
            mask.F0 = fraction;
        else if (SameText(name, "q"))
            mask.Q = fraction;
        else
            return "unknown mask '" + name + "' (use f3db, f0, q or peak)";
    }
    return "";
}

std::string ParseSeriesOption(const std::string& text, bool capacitors,
                              std::optional<ESeries>& series) {
    if (text.empty()) return "";
    series = ParseSeries(text);
    const bool allowed = series && (!capacitors || *series == ESeries::E6 ||
                                    *series == ESeries::E12 || *series == ESeries::E24);
    if (!allowed)
        return "unknown series '" + text + "' (use " +
               (capacitors ? "E6, E12 or E24" : "E12, E24, E48 or E96") + ")";
    return "";
}

// Turns the option texts into a checked plan.
std::string MakePlan(const BuildOptions& o, BuildPlan& plan) {
    if (!o.Response.empty()) {
        ResponseChoice choice;
        const auto kind = ParseResponseKind(o.Response);
        if (!kind) return "unknown response '" + o.Response + "' (use butter, cheb or bessel)";
        choice.Kind = *kind;
        if (choice.Kind == ResponseKind::Tchebysheff) {
            if (!o.RippleDb || !(*o.RippleDb > 0)) return "--response cheb needs --ripple DB > 0";
            choice.RippleDb = *o.RippleDb;
        } else if (o.RippleDb) {
            return "--ripple applies to --response cheb only";
        }
        if (!o.Cutoff.empty()) {
            const auto cutoff = ParseCutoff(o.Cutoff);
            if (!cutoff) return "unknown cutoff '" + o.Cutoff + "' (use edge, 3db, delay, phase)";
            choice.Cutoff = *cutoff;
        }
        if (!PrototypePairs(choice))
            return "--cutoff " + o.Cutoff + " does not apply to --response " + o.Response;
        plan.Response = choice;
    } else if (o.RippleDb || !o.Cutoff.empty()) {
        return "--ripple and --cutoff go with --response";
    }
    if (!o.COut.empty()) {
        const QuantityReading c = ReadQuantity("--c-out", o.COut, kCapacitance);
        if (!c.Value) return c.Error;
        plan.COutFarads = static_cast<double>(*c.Value);
    }
    if (std::string e = ParseSeriesOption(o.Series, false, plan.Series.Resistors); !e.empty())
        return e;
    if (std::string e = ParseSeriesOption(o.CapSeries, true, plan.Series.Capacitors); !e.empty())
        return e;
    if (o.MatchGain && !plan.Series.Resistors) return "--match-gain goes with --series";
    plan.Series.MatchGain = o.MatchGain;
    if (!o.IsfSearch.empty()) {
        const size_t colon = o.IsfSearch.find(':');
        if (colon == std::string::npos) return "--isf-search takes LOW:HIGH, e.g. 0.001:0.1";
        const QuantityReading low =
            ReadQuantity("--isf-search", o.IsfSearch.substr(0, colon), kScaleFactor);
        const QuantityReading high =
            ReadQuantity("--isf-search", o.IsfSearch.substr(colon + 1), kScaleFactor);
        if (!low.Value) return low.Error;
        if (!high.Value) return high.Error;
        plan.IsfLow = static_cast<double>(*low.Value);
        plan.IsfHigh = static_cast<double>(*high.Value);
        if (!(plan.IsfHigh > plan.IsfLow))
            return "--isf-search takes LOW:HIGH with 0 < LOW < HIGH, e.g. 0.001:0.1";
        if (o.IsfSteps < 2) return "--isf-steps must be at least 2";
        plan.IsfSearch = true;
        plan.IsfSteps = o.IsfSteps;
    }
    plan.Sensitivity = o.Sensitivity;
    if (o.Trials < 0) return "--monte-carlo takes a number of trials";
    plan.Trials = o.Trials;
    const QuantityReading tolR = ReadQuantity("--tol-r", o.TolR, kTolerance);
    const QuantityReading tolC = ReadQuantity("--tol-c", o.TolC, kTolerance);
    if (!tolR.Value) return tolR.Error;
    if (!tolC.Value) return tolC.Error;
    plan.Tol = {static_cast<double>(*tolR.Value), static_cast<double>(*tolC.Value),
                Distribution::Uniform};
    if (SameText(o.Distribution, "gaussian"))
        plan.Tol.Shape = Distribution::Gaussian;
    else if (!SameText(o.Distribution, "uniform"))
        return "--distribution is uniform or gaussian";
    plan.Seed = o.Seed ? *o.Seed : 0;
    for (const std::string& m : o.Masks)
        if (std::string e = ParseMask(m, plan.Mask); !e.empty()) return e;
    if (!o.Masks.empty() && plan.Trials == 0 && o.Search.BestBuilds == 0)
        return "--mask goes with --monte-carlo N";
    if ((o.Trim || !o.PlanYield.empty() || !o.BoardJson.empty() || !o.BoardReport.empty()) &&
        plan.Trials == 0)
        return "--trim, --plan, --board-json and --board-report go with --monte-carlo N";
    plan.Trim = o.Trim;
    if (o.TrimSteps < 1) return "--trim-steps must be at least 1";
    plan.TrimSteps = o.TrimSteps;
    const QuantityReading meter = ReadQuantity("--trim-meter", o.TrimMeter, kTolerance);
    if (!meter.Value) return meter.Error;
    plan.TrimMeter = static_cast<double>(*meter.Value);
    if (!o.PlanYield.empty()) {
        const QuantityReading yield = ReadQuantity("--plan", o.PlanYield, kYield);
        if (!yield.Value) return yield.Error;
        plan.PlanYield = static_cast<double>(*yield.Value);
        if (MaskIsEmpty(plan.Mask)) return "--plan needs the limits: give --mask";
    }
    plan.BoardJson = o.BoardJson;
    plan.BoardReport = o.BoardReport;
    if (!o.Gbw.empty()) {
        const QuantityReading gbw = ReadQuantity("--gbw", o.Gbw, kFrequency);
        if (!gbw.Value) return gbw.Error;
        plan.GbwHz = static_cast<double>(*gbw.Value);
        plan.YieldAmp = {*plan.GbwHz, o.GbwSpread, o.CinF};
    }
    plan.Alternatives = o.Alternatives;
    plan.Bom = o.Bom;
    plan.BomCsv = o.BomCsv;
    plan.PlotDir = o.PlotDir;
    plan.Search = o.Search;
    return CheckSearchPlan(plan.Search, plan.GbwHz.has_value(), !o.Masks.empty());
}

constexpr Quantity kTrials = Count("a number of trials", 1, 1e9L, "10000");
constexpr Quantity kIsfSteps = Count("a number of steps", 2, 100000, "401");
constexpr Quantity kTrimSteps = Count("a number of steps", 1, 100000, "100");
constexpr Quantity kSeed = Count("a seed", 0, 18446744073709551615.0L, "7");

}  // namespace

void AddBuildOptions(CLI::App& app, BuildOptions& o) {
    const char* group = "From design to board";
    app.add_option("--response", o.Response,
                   "fill AF1, F1, AF2, F2 with a computed response: butter, cheb, bessel")
        ->group(group);
    AddQuantityOption(
        app, "--ripple", kDecibels, [&o](long double db) { o.RippleDb = static_cast<double>(db); },
        "passband ripple in dB for --response cheb, e.g. 0.5dB")
        ->group(group);
    app.add_option("--cutoff", o.Cutoff,
                   "what F = 1 means: cheb edge (default) or 3db; bessel delay (default), phase "
                   "or 3db; butter is always 3db")
        ->group(group);
    app.add_option("--c-out", o.COut,
                   "the board's capacitor (e.g. 10nF); sets ISF = C / (this x FSF) to give it, "
                   "so not with --isf or --isf-search")
        ->group(group);
    app.add_option("--series", o.Series, "snap R1..R4 and RK-R to E12, E24, E48 or E96")
        ->group(group);
    app.add_flag("--match-gain", o.MatchGain,
                 "with --series: pick R* from the series as well, for the K nearest the design")
        ->group(group);
    app.add_option("--cap-series", o.CapSeries, "snap C1..C4 to E6, E12 or E24")->group(group);
    app.add_option("--isf-search", o.IsfSearch,
                   "LOW:HIGH: try ISF values over this range and build the snapped set of "
                   "smallest f0/Q error (root sum square)")
        ->group(group);
    AddQuantityOption(
        app, "--isf-steps", kIsfSteps, [&o](long double n) { o.IsfSteps = static_cast<int>(n); },
        "ISF values tried by --isf-search, 2 to 100000 (default 401)")
        ->group(group);
    app.add_flag("--sensitivity", o.Sensitivity, "sensitivity of each pair's f0 and Q to each part")
        ->group(group);
    AddQuantityOption(
        app, "--monte-carlo", kTrials, [&o](long double n) { o.Trials = static_cast<int>(n); },
        "tolerance analysis over N random builds: every part drawn on its own, "
        "uniformly within +-its tolerance (a 1 % part lies anywhere in 0.99 to 1.01 "
        "times its value) or, with --distribution gaussian, tolerance = 3 sigma; "
        "1 to 1000000000 (10k, 1M)")
        ->group(group);
    app.add_option("--tol-r", o.TolR, "resistor tolerance in percent (default 1%)")->group(group);
    app.add_option("--tol-c", o.TolC, "capacitor tolerance in percent (default 5%)")->group(group);
    app.add_option("--distribution", o.Distribution,
                   "uniform (default) or gaussian (tolerance = 3 sigma)")
        ->group(group);
    AddQuantityOption(
        app, "--seed", kSeed, [&o](long double n) { o.Seed = static_cast<unsigned long long>(n); },
        "seed of the Monte Carlo draws, 0 to 2^64-1 (default: random, printed)")
        ->group(group);
    app.add_option("--mask", o.Masks,
                   "yield limits, e.g. f3db=2%,q=5%,f0=1%,peak=0.5dB: f0, Q and the -3 dB "
                   "frequency within that much of the target's, peaking at most that much above "
                   "the DC gain")
        ->group(group);
    app.add_option("--gbw", o.Gbw,
                   "op-amp gain-bandwidth, e.g. 10MHz: the response it gives and the least "
                   "GBW for f0 and Q within 1 %")
        ->group(group);
    app.add_flag("--alternatives", o.Alternatives,
                 "every root of the design equation, with parts, K and sensitivities; those "
                 "that cannot be built are marked")
        ->group(group);
    app.add_flag("--bom", o.Bom, "bill of materials as text")->group(group);
    AddOutputOption(app, "--bom-csv", o.BomCsv, kCsvFile,
                    "bill of materials as CSV to a file ('-': stdout)")
        ->group(group);
    app.add_flag("--trim", o.Trim,
                 "with --monte-carlo: RK-R as a fixed part and a trimmer (+-20 %), the test "
                 "frequency and gain that set it for the best yield, and the yield before and "
                 "after the trim, simulated as the printed steps say: turned up from its "
                 "least-gain end and left at the first position whose reading reaches that gain")
        ->group(group);
    AddQuantityOption(
        app, "--trim-steps", kTrimSteps, [&o](long double n) { o.TrimSteps = static_cast<int>(n); },
        "positions a trimmer can be set to, less one: 1 to 100000 (default 100: a 25-turn "
        "trimmer set to a quarter turn, 1 % of its travel; about 30 for a single-turn one)")
        ->group(group);
    app.add_option("--trim-meter", o.TrimMeter,
                   "accuracy of the technician's gain reading, drawn like a tolerance "
                   "(default 0.5%)")
        ->group(group);
    app.add_option("--plan", o.PlanYield,
                   "with --monte-carlo and --mask: the cheapest grade of each part for this "
                   "yield (e.g. 99%), without and with the trim, and each part's share of the "
                   "spread")
        ->group(group);
    AddOutputOption(app, "--board-json", o.BoardJson, kJsonFile,
                    "the trim, its procedure, the plan and the yields as JSON to a file ('-': "
                    "stdout)")
        ->group(group);
    AddOutputOption(app, "--board-report", o.BoardReport, kHtmlFile,
                    "the board as one HTML page: trim, procedure, spread before and after it, "
                    "plans and bill of materials")
        ->group(group);
    AddOutputOption(app, "--plot-dir", o.PlotDir, kFolder,
                    "write SVG plots (responses, Monte Carlo histograms) into this folder")
        ->group(group);
    AddSearchOptions(app, o.Search);
}

bool BuildReportRequested(const BuildOptions& o) {
    return !o.Response.empty() || !o.COut.empty() || !o.Series.empty() || !o.CapSeries.empty() ||
           !o.IsfSearch.empty() || o.Sensitivity || o.Trials > 0 || !o.Gbw.empty() ||
           o.Alternatives || o.Bom || !o.BomCsv.empty() || !o.PlotDir.empty() || o.Trim ||
           !o.PlanYield.empty() || !o.BoardJson.empty() || !o.BoardReport.empty() ||
           SearchRequested(o.Search);
}

std::string ApplyBuildInputs(BuildOptions& o, InputTexts& inputs,
                             const std::optional<std::string> (&given)[8], bool hasPreset,
                             bool json) {
    BuildPlan plan;
    if (std::string e = MakePlan(o, plan); !e.empty()) return e;
    if (plan.Response && hasPreset) return "--response and --preset both set the pole pairs";
    BuildOptions sections = o;
    sections.Response.clear();
    sections.COut.clear();
    if (json && BuildReportRequested(sections))
        return "--json covers the design only; the build sections are text";
    // Draw the seed once, so that the report prints the one it used.
    if (!o.Seed) o.Seed = std::random_device{}();
    if (plan.Response) {
        const std::array<std::string, 4> texts = PairTexts(*PrototypePairs(*plan.Response));
        for (size_t k = 0; k < 4; ++k)
            if (!given[k]) inputs.Texts[k] = texts[k];
    }
    if (plan.COutFarads) {
        if (given[6]) return "--c-out sets ISF: give one of --c-out and --isf";
        if (plan.IsfSearch) return "--c-out sets ISF: give one of --c-out and --isf-search";
        // Scaled C = C / (ISF * FSF), so ISF = C / (C on the board * FSF): the
        // quotient of the texts' values, rounded once (10nF at FSF 2500 from
        // 1 uF: 0.04), not through the engine's single-precision milli-
        // farads, which would make it 0.040000001899898045.
        const long double capUF = ParseNumber(inputs.Texts[Input::Cap]);
        const long double fsf = ParseNumber(inputs.Texts[Input::FSF]);
        const long double farads = *ReadQuantity("--c-out", o.COut, kCapacitance).Value;
        const double isf = static_cast<double>(capUF / (farads * 1e6L * fsf));
        if (!(isf > 0) || !std::isfinite(isf)) return "--c-out needs a positive C and FSF";
        inputs.Texts[Input::ISF] = ExactText(isf);
    }
    return "";
}

BuildRun PrepareBuild(const BuildOptions& o, const DesignRecord& design) {
    BuildRun run;
    MakePlan(o, run.Plan);
    run.Made = MakeBoard(design, RequestOf(run.Plan));
    return run;
}

std::string ResponseTitle(const BuildOptions& o) {
    BuildPlan plan;
    MakePlan(o, plan);
    return plan.Response ? DescribeResponse(*plan.Response) : "";
}

int WriteBuildSections(const BuildRun& run, const InputTexts& inputs, const DesignRecord& design,
                       const std::string& title, std::ostream& out, std::ostream& err) {
    const int status = WriteBuildReport(run.Plan, inputs, design, run.Made, title, out, err);
    return std::max(status, WriteSearchReport(run.Plan, design, run.Made, out, err));
}

}  // namespace velmora
