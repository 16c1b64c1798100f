#include "trim_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>

#include "common/program.h"
#include "model/portable_math.h"
#include "output/build_plots.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

// A share of the spread comes out of logarithms and powers, whose last bits
// differ between C libraries: six digits say all it means, and the same on
// every platform.
double Significant(double x, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, x);
    return std::strtod(text, nullptr);
}

using Json = nlohmann::ordered_json;

constexpr const char* kNoTrim =
    "none fits this design: no build reaches the target's gain with a trimmer in RK-R (a K "
    "below 1, or not a number)";

// Pilot runs that choose the test frequency and fit the range: enough to
// rank the frequencies, small enough to try them all.
constexpr int kPilotTrials = 2000;

std::string Ohms(double value) {
    return FormatEngineering(value, 3) + " ohm";
}

std::string YieldText(const BoardRun& r) {
    return Fmt("%.2f", r.Yield * 100) + " % (" + std::to_string(r.Passed) + " of " +
           std::to_string(r.Trials) + ")";
}

std::string TestText(const KTrim& t) {
    return t.TestHz > 0 ? Fmt("%g", t.TestHz) + " Hz" : "DC";
}

Json TrimJson(const SnappedBuild& b, const KTrim& t, const BuildPlan& plan) {
    return {{"fixed_ohms", t.FixedOhms},
            {"fixed_series", SeriesName(plan.Series.Resistors.value_or(ESeries::E24))},
            {"trimmer_ohms", t.PotOhms},
            {"trimmer_tolerance", t.PotTolerance},
            {"trimmer_steps", t.Steps},
            {"k_low", LowestK(b, t)},
            {"k_high", HighestK(b, t)},
            {"test_hz", t.TestHz},
            {"stated_gain", t.StatedGain},
            {"meter_accuracy", t.Meter},
            {"procedure", TrimProcedure(b, t)}};
}

void WriteTrim(std::ostream& out, const SnappedBuild& b, const TrimDesign& t,
               const BoardRun& before, const BoardRun& after, const BuildPlan& plan,
               const ResponseShape& target) {
    const KTrim& k = t.Trim;
    out << "\nGain trim: RK-R as a fixed resistor and the trimmer VR1 in series\n";
    out << "  Fixed part     " << Ohms(k.FixedOhms) << " ("
        << SeriesName(plan.Series.Resistors.value_or(ESeries::E24)) << ")\n";
    out << "  Trimmer VR1    " << Ohms(k.PotOhms) << " +-" << Fmt("%g", k.PotTolerance * 100)
        << " %, left at one of " << k.Steps + 1 << " positions\n";
    out << "  K range        " << Fmt("%.4f", LowestK(b, k)) << " to "
        << Fmt("%.4f", HighestK(b, k)) << " at nominal values (design " << Fmt("%.4f", b.Ideal.K)
        << ")\n";
    out << "  Test           " << TestText(k);
    if (k.TestHz > 0)
        out << " (" << Fmt("%g", t.TestFraction) << " x the -3 dB frequency "
            << Fmt("%.5g", target.Minus3dBHz) << " Hz)";
    out << ", gain set to " << Fmt("%.4g", k.StatedGain) << ", meter within "
        << Fmt("%g", k.Meter * 100) << " %\n";
    out << "  Range covers   "
        << Fmt("%.2f", 100.0 * (after.Trials - after.OutOfRange) / std::max(after.Trials, 1))
        << " % of builds (" << after.OutOfRange << " of " << after.Trials << " beyond an end)\n";
    const std::string limits = MaskIsEmpty(plan.Mask) ? "no mask" : MaskText(plan.Mask);
    out << "  Yield (" << limits << "): " << YieldText(before) << " before trim, "
        << YieldText(after) << " after\n";
    out << "  Procedure:\n";
    for (const std::string& step : TrimProcedure(b, k))
        out << "    " << step << "\n";
}

Json PlanJson(const TolerancePlan& p, const std::string& whatWould) {
    Json parts = Json::array();
    for (int part = 0; part < kBoardPartCount; ++part)
        parts.push_back({{"ref", BoardPartName(part)},
                         {"tolerance", p.Tol.Of[part]},
                         {"share", Significant(p.Share[part], 6)}});
    Json j = {{"reached", p.Reached}, {"yield", p.Run.Yield}, {"parts", parts}};
    if (!p.Reached) j["what_would"] = whatWould;
    return j;
}

void WritePlans(std::ostream& out, const BuildPlan& plan, const std::vector<TolerancePlan>& plans,
                const std::string (&whatWould)[2]) {
    out << "\nTolerance plan for a yield of " << Fmt("%g", *plan.PlanYield * 100) << " % ("
        << MaskText(plan.Mask) << "; " << plan.Trials << " builds, seed " << plan.Seed << ")\n";
    const bool trimFits = plans[1].Trim.has_value();
    out << "  Grades, cheapest first: resistors 5, 2, 1, 0.5, 0.1 %; capacitors 10, 5, 2, 1 %\n"
           "  Share: the part's share of the spread of the limited figures, to first order\n";
    char line[160];
    std::snprintf(line, sizeof line, "  %-8s %-19s %s\n", "", "Without trim", "With trim");
    out << line;
    std::snprintf(line, sizeof line, "  %-8s %-8s %-10s %-8s %s\n", "Part", "Grade", "Share",
                  "Grade", "Share");
    out << line;
    for (int part = 0; part < kBoardPartCount; ++part) {
        std::snprintf(line, sizeof line, "  %-8s %-8s %-10s %-8s %s\n", BoardPartName(part),
                      (Fmt("%g", plans[0].Tol.Of[part] * 100) + " %").c_str(),
                      (Fmt("%.1f", plans[0].Share[part] * 100) + " %").c_str(),
                      trimFits ? (Fmt("%g", plans[1].Tol.Of[part] * 100) + " %").c_str() : "-",
                      trimFits ? (Fmt("%.1f", plans[1].Share[part] * 100) + " %").c_str() : "-");
        out << line;
    }
    for (int k = 0; k < 2; ++k) {
        if (k && !trimFits) {
            out << "  With trim:    " << kNoTrim << "\n";
            break;
        }
        out << "  " << (k ? "With trim:    " : "Without trim: ") << YieldText(plans[k].Run);
        if (k && plans[k].Trim)
            out << ", test " << TestText(plans[k].Trim->Trim) << ", "
                << Ohms(plans[k].Trim->Trim.FixedOhms) << " + trimmer "
                << Ohms(plans[k].Trim->Trim.PotOhms);
        out << "\n";
        if (!plans[k].Reached)
            out << "    No grade offered reaches the target"
                << (whatWould[k].empty() ? "; a second trim or a looser mask would be needed"
                                         : ": " + whatWould[k] + " would")
                << ".\n";
    }
    out << "  The bill of materials takes the plan " << (plan.Trim && trimFits ? "with" : "without")
        << " the trim.\n";
}

}  // namespace

TrimOptions TrimOptionsOf(const BuildPlan& plan) {
    TrimOptions o;
    o.Steps = plan.TrimSteps;
    o.Meter = plan.TrimMeter;
    o.FixedSeries = plan.Series.Resistors;
    o.PilotTrials = std::min(plan.Trials, kPilotTrials);
    o.Seed = plan.Seed;
    return o;
}

std::vector<std::string> TrimProcedure(const SnappedBuild& b, const KTrim& t) {
    std::vector<std::string> steps;
    steps.push_back("1. Fit every part; turn VR1 to its end of least resistance (least gain).");
    if (t.TestHz > 0)
        steps.push_back("2. Feed a sine of " + Fmt("%g", t.TestHz) +
                        " Hz, about 1 V, to the input from a source well below " +
                        Ohms(b.Built.R1) + " (R1).");
    else
        steps.push_back("2. Feed a steady DC voltage of about 1 V to the input.");
    steps.push_back("3. Turn VR1 up from there until the output first reaches " +
                    Fmt("%.4g", t.StatedGain) + " times the input (" +
                    Fmt("%.2f", 20 * Log10(t.StatedGain)) + " dB), and leave it there.");
    steps.push_back(
        "4. If the output is above that at the start, or VR1 reaches its other end "
        "first, the board is outside the trim range: check its parts.");
    return steps;
}

BoardOutcome WriteBoardSections(const BuildPlan& plan, const SnappedBuild& b,
                                const ResponseShape& target, std::ostream& out) {
    BoardOutcome o;
    if (!plan.Trim && !plan.PlanYield) return o;
    const PartTolerances given = EqualGrades(plan.Tol);
    const TrimOptions options = TrimOptionsOf(plan);
    Json json = {{"trials", plan.Trials}, {"seed", plan.Seed}, {"mask", MaskText(plan.Mask)}};
    if (plan.Trim) {
        o.GivenTrim = o.Trim = DesignTrim(b, given, target, plan.Mask, options);
        if (!o.GivenTrim->Reachable) {
            out << "\nGain trim: " << kNoTrim << ".\n";
            json["trim"] = {{"fits", false}};
            o.GivenTrim = o.Trim = std::nullopt;
        }
    }
    if (o.GivenTrim) {
        o.FixedSeries = SeriesName(options.FixedSeries.value_or(ESeries::E24));
        o.Before =
            SimulateBoard(SetupOf(b, given, plan.Trials, plan.Seed), target, plan.Mask, true);
        o.After = SimulateBoard(SetupOf(b, given, plan.Trials, plan.Seed, o.Trim->Trim), target,
                                plan.Mask, true);
        WriteTrim(out, b, *o.Trim, o.Before, o.After, plan, target);
        json["trim"] = TrimJson(b, o.Trim->Trim, plan);
        json["trim"]["coverage"] =
            1 - static_cast<double>(o.After.OutOfRange) / std::max(o.After.Trials, 1);
        json["trim"]["yield_before"] = o.Before.Yield;
        json["trim"]["yield_after"] = o.After.Yield;
    }
    if (plan.PlanYield) {
        PlanRequest q;
        q.TargetYield = *plan.PlanYield;
        q.TrimSettings = options;
        q.Trials = plan.Trials;
        q.Seed = plan.Seed;
        q.Shape = plan.Tol.Shape;
        o.Plans.resize(2);
        std::vector<TolerancePlan>& plans = o.Plans;
        const std::string(&whatWould)[2] = o.WhatWould;
        for (int k = 0; k < 2; ++k) {
            q.Trim = k == 1;
            plans[k] = PlanTolerances(b, target, plan.Mask, q);
            if (!plans[k].Reached) o.WhatWould[k] = WhatWouldReach(b, target, plan.Mask, q);
        }
        WritePlans(out, plan, plans, whatWould);
        const TolerancePlan& chosen = plans[plan.Trim && plans[1].Trim ? 1 : 0];
        o.Grades = chosen.Tol;
        if (plan.Trim) o.Trim = chosen.Trim;
        o.FixedSeries = SeriesName(options.FixedSeries.value_or(ESeries::E24));
        json["plan"] = {{"target_yield", *plan.PlanYield},
                        {"without_trim", PlanJson(plans[0], whatWould[0])},
                        {"with_trim",
                         plans[1].Trim ? PlanJson(plans[1], whatWould[1]) : Json{{"fits", false}}}};
        if (plans[1].Trim)
            json["plan"]["with_trim"]["trim"] = TrimJson(b, plans[1].Trim->Trim, plan);
    }
    if (!plan.BoardJson.empty()) o.Json = json.dump(2) + "\n";
    return o;
}

std::vector<TrimSpread> TrimHistograms(const BoardOutcome& board, const ResponseShape& target,
                                       const YieldMask& mask) {
    if (!board.GivenTrim) return {};
    const double f3 = target.Minus3dBHz, pk = target.PeakingDb;
    const double m3 = std::max(mask.Minus3dB, 0.0), mp = std::max(mask.PeakingDb, 0.0);
    return {{"build_trim_f3db.svg",
             {"-3 dB frequency, before and after the trim", "Hz", board.After.Minus3dBSamples, f3,
              f3 * (1 - m3), f3 * (1 + m3)},
             board.Before.Minus3dBSamples},
            {"build_trim_peaking.svg",
             {"Peaking, before and after the trim", "dB", board.After.PeakingSamples, pk, pk - mp,
              pk + mp},
             board.Before.PeakingSamples}};
}

bool WriteTrimPlots(const std::string& dir, const BoardOutcome& board, const ResponseShape& target,
                    const YieldMask& mask, std::ostream& err) {
    bool ok = true;
    for (const TrimSpread& t : TrimHistograms(board, target, mask)) {
        const std::string path = dir + "/" + t.File;
        if (!WriteTextFile(path, HistogramSvg(t.After, true, t.Before))) {
            err << kProgram << ": cannot write " << path << "\n";
            ok = false;
        }
    }
    return ok;
}

void ApplyBoard(std::vector<BomLine>& bom, const BoardOutcome& board) {
    if (board.Grades)
        for (BomLine& line : bom)
            for (int part = 0; part < kBoardPartCount; ++part)
                if (line.Ref == BoardPartName(part)) line.Tolerance = board.Grades->Of[part];
    if (!board.Trim) return;
    const KTrim& t = board.Trim->Trim;
    for (auto it = bom.begin(); it != bom.end(); ++it) {
        if (it->Ref != "RK-R") continue;
        it->Value = it->Computed = t.FixedOhms;
        it->Series = board.FixedSeries;
        it->Description = "Resistor, fixed part of RK-R";
        const std::string setting =
            "Trimmer, multi-turn, in series with RK-R: turned up to a gain of " +
            Fmt("%.4g", t.StatedGain) + " at " + TestText(t);
        bom.insert(it + 1, {"VR1", t.PotOhms, "ohm", t.PotOhms, "", t.PotTolerance, setting});
        break;
    }
}

}  // namespace velmora
