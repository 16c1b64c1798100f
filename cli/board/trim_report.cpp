#include "trim_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>

#include "board_text.h"
#include "common/program.h"
#include "model/portable_math.h"
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

double Coverage(const BoardRun& r) {
    return 1 - static_cast<double>(r.OutOfRange) / std::max(r.Trials, 1);
}

Json TrimJson(const SnappedBuild& b, const KTrim& t, const std::string& fixedSeries) {
    return {{"fixed_ohms", t.FixedOhms},       {"fixed_series", fixedSeries},
            {"trimmer_ohms", t.PotOhms},       {"trimmer_tolerance", t.PotTolerance},
            {"trimmer_steps", t.Steps},        {"k_low", LowestK(b, t)},
            {"k_high", HighestK(b, t)},        {"test_hz", t.TestHz},
            {"stated_gain", t.StatedGain},     {"meter_accuracy", t.Meter},
            {"procedure", TrimProcedure(b, t)}};
}

// The 95 % Wilson interval, rounded as the shares are.
Json IntervalJson(const BoardRun& r) {
    const YieldInterval i = WilsonInterval(r.Passed, r.Trials);
    return {Significant(i.Low, 6), Significant(i.High, 6)};
}

Json PlanJson(const TolerancePlan& p, const std::string& whatWould) {
    Json parts = Json::array();
    for (int part = 0; part < kBoardPartCount; ++part)
        parts.push_back({{"ref", BoardPartName(part)},
                         {"tolerance", p.Tol.Of[part]},
                         {"share", Significant(p.Share[part], 6)}});
    Json j = {{"reached", p.Reached},
              {"yield", p.Run.Yield},
              {"trials", p.Run.Trials},
              {"yield_interval", IntervalJson(p.Run)},
              {"parts", parts}};
    if (!p.Reached) j["what_would"] = whatWould;
    return j;
}

Json BillJson(const std::vector<BomLine>& bill) {
    Json parts = Json::array();
    for (const BomLine& line : bill)
        parts.push_back({{"ref", line.Ref},
                         {"value", line.Value},
                         {"unit", line.Unit},
                         {"series", line.Series},
                         {"tolerance", line.Tolerance},
                         {"description", line.Description}});
    return parts;
}

}  // namespace

std::vector<std::string> TrimProcedure(const SnappedBuild& b, const KTrim& t) {
    std::vector<std::string> steps;
    steps.push_back("1. Fit every part; turn VR1 to its end of least resistance (least gain).");
    if (t.TestHz > 0)
        steps.push_back("2. Feed a sine of " + Fmt("%g", t.TestHz) +
                        " Hz, about 1 V, to the input from a source well below " +
                        Ohms(b.Built.R1) + " (R1).");
    else
        steps.push_back("2. Feed a steady DC voltage of about 1 V to the input.");
    steps.push_back("3. Turn VR1 up from there in steps of 1/" + std::to_string(t.Steps) +
                    " of its travel until the output first reaches " + Fmt("%.4g", t.StatedGain) +
                    " times the input (" + Fmt("%.2f", 20 * Log10(t.StatedGain)) +
                    " dB), and leave it there.");
    steps.push_back(
        "4. If the output is above that at the start, or VR1 reaches its other end "
        "first, the board is outside the trim range: check its parts.");
    return steps;
}

void WriteTrimSection(std::ostream& out, const BuildPlan& plan, const Board& board) {
    if (!plan.Trim) return;
    if (!board.Trim) {
        out << "\nGain trim: " << kNoTrim << ".\n";
        return;
    }
    const SnappedBuild& b = board.Build;
    const TrimDesign& t = *board.Trim;
    const KTrim& k = t.Trim;
    out << "\nGain trim: RK-R as a fixed resistor and the trimmer VR1 in series\n";
    if (!board.Plans.empty()) out << "  Grades         those of the plan with the trim, below\n";
    out << "  Fixed part     " << Ohms(k.FixedOhms) << " ("
        << SeriesName(FixedSeries(board, RequestOf(plan))) << ")\n";
    out << "  Trimmer VR1    " << Ohms(k.PotOhms) << " +-" << Fmt("%g", k.PotTolerance * 100)
        << " %, left at one of " << k.Steps + 1 << " positions\n";
    out << "  K range        " << Fmt("%.4f", LowestK(b, k)) << " to "
        << Fmt("%.4f", HighestK(b, k)) << " at nominal values (design " << Fmt("%.4f", b.Ideal.K)
        << ")\n";
    out << "  Test           " << TestText(k);
    if (k.TestHz > 0)
        out << " (" << Fmt("%g", t.TestFraction) << " x the -3 dB frequency "
            << Fmt("%.5g", board.Target.Minus3dBHz) << " Hz)";
    out << ", gain set to " << Fmt("%.4g", k.StatedGain) << ", meter within "
        << Fmt("%g", k.Meter * 100) << " %\n";
    out << "  Nominal board  VR1 left at " << board.TrimPosition << "/" << k.Steps
        << " of its travel: RK-R " << Ohms(board.NominalRkr, 4) << ", K "
        << Fmt("%.4f", board.Nominal.K) << "\n";
    out << "  Range covers   " << Percent(Coverage(board.After)) << " of builds ("
        << board.After.OutOfRange << " of " << board.After.Trials << " beyond an end)\n";
    const std::string limits = MaskIsEmpty(plan.Mask) ? "no mask" : MaskText(plan.Mask);
    out << "  Yield (" << limits << "): " << YieldText(board.Before) << " before trim, "
        << YieldText(board.After) << " after, " << OpAmpText(plan.YieldAmp) << "\n";
    out << "  Procedure:\n";
    for (const std::string& step : TrimProcedure(b, k))
        out << "    " << step << "\n";
}

void WritePlanSection(std::ostream& out, const BuildPlan& plan, const Board& board) {
    if (board.Plans.size() != 2) return;
    const std::vector<TolerancePlan>& plans = board.Plans;
    out << "\nTolerance plan for a yield of " << Fmt("%g", *plan.PlanYield * 100) << " % ("
        << MaskText(plan.Mask) << "; " << plan.Trials << " builds, seed " << plan.Seed << ")\n";
    const bool trimFits = plans[1].Trim.has_value();
    const auto list = [](std::span<const double> grades) {
        std::string text;
        for (const double g : grades)
            text += (text.empty() ? "" : ", ") + Fmt("%g", g * 100);
        return text + " %";
    };
    // Which of them the series is sold in, and where a part goes for the rest.
    std::string sold;
    if (const auto series = plan.Series.Resistors) {
        const std::span<const double> all = GradesOf(kBoardR1, series);
        const auto own = std::find_if(all.begin(), all.end(), [&](double g) {
            return SeriesForGrade(*series, g) != *series;
        });
        sold = std::string(" (") + SeriesName(*series) + " values are sold at " +
               list({all.begin(), own});
        if (own != all.end())
            sold += "; finer ones as the nearest " +
                    std::string(SeriesName(SeriesForGrade(*series, *own))) + " value";
        sold += ")";
    }
    out << "  Grades, cheapest first: resistors " << list(GradesOf(kBoardR1, plan.Series.Resistors))
        << sold << "; capacitors " << list(GradesOf(kBoardC1))
        << "\n"
           "  Share: the part's share of the spread of the limited figures, to first order\n"
           "  Reached: when the lower end of the yield's 95 % interval (Wilson) is at the target;\n"
           "  a yield whose interval holds the target is run again on 4 times the builds\n";
    char line[160];
    std::snprintf(line, sizeof line, "  %-8s %-19s %s\n", "", "Without trim", "With trim");
    out << line;
    std::snprintf(line, sizeof line, "  %-8s %-8s %-10s %-8s %s\n", "Part", "Grade", "Share",
                  "Grade", "Share");
    out << line;
    for (int part = 0; part < kBoardPartCount; ++part) {
        std::snprintf(line, sizeof line, "  %-8s %-8s %-10s %-8s %s\n", BoardPartName(part),
                      (Fmt("%g", plans[0].Tol.Of[part] * 100) + " %").c_str(),
                      Percent(plans[0].Share[part], 1).c_str(),
                      trimFits ? (Fmt("%g", plans[1].Tol.Of[part] * 100) + " %").c_str() : "-",
                      trimFits ? Percent(plans[1].Share[part], 1).c_str() : "-");
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
        out << ", " << OpAmpText(plan.YieldAmp) << "\n";
        if (!plans[k].Reached)
            out << "    No grade offered reaches the target"
                << (board.WhatWould[k].empty() ? "; a second trim or a looser mask would be needed"
                                               : ": " + board.WhatWould[k] + " would")
                << ".\n";
    }
    out << "  The bill of materials takes the plan " << (plan.Trim && trimFits ? "with" : "without")
        << " the trim.\n";
    std::string moved;
    for (int part = 0; part < kBoardPartCount; ++part)
        if (board.MovedTo[part])
            moved += (moved.empty() ? "" : ", ") + std::string(BoardPartName(part)) + " to " +
                     SeriesName(*board.MovedTo[part]);
    if (!moved.empty())
        out << "  Moved for a grade their series is not sold in: " << moved
            << " (the nearest value; the plan's yield is of the board so moved).\n";
}

std::string BoardJson(const BuildPlan& plan, const Board& board, const std::vector<BomLine>& bill) {
    const std::string fixedSeries = SeriesName(FixedSeries(board, RequestOf(plan)));
    Json json = {{"trials", plan.Trials},
                 {"seed", plan.Seed},
                 {"mask", MaskText(plan.Mask)},
                 {"yields_assume", OpAmpText(plan.YieldAmp)}};
    if (plan.Trim && !board.Trim) {
        json["trim"] = {{"fits", false}};
    } else if (board.Trim) {
        json["trim"] = TrimJson(board.Build, board.Trim->Trim, fixedSeries);
        json["trim"]["nominal_position"] = board.TrimPosition;
        json["trim"]["coverage"] = Coverage(board.After);
        json["trim"]["yield_before"] = board.Before.Yield;
        json["trim"]["yield_after"] = board.After.Yield;
        json["trim"]["yield_before_interval"] = IntervalJson(board.Before);
        json["trim"]["yield_after_interval"] = IntervalJson(board.After);
    }
    if (board.Plans.size() == 2) {
        const std::vector<TolerancePlan>& plans = board.Plans;
        json["plan"] = {{"target_yield", *plan.PlanYield},
                        {"without_trim", PlanJson(plans[0], board.WhatWould[0])},
                        {"with_trim", plans[1].Trim ? PlanJson(plans[1], board.WhatWould[1])
                                                    : Json{{"fits", false}}}};
        if (plans[1].Trim)
            json["plan"]["with_trim"]["trim"] =
                TrimJson(board.Build, plans[1].Trim->Trim, fixedSeries);
    }
    json["parts"] = BillJson(bill);
    return json.dump(2) + "\n";
}

std::vector<TrimSpread> TrimHistograms(const Board& board, const YieldMask& mask) {
    if (!board.Trim) return {};
    const double f3 = board.Target.Minus3dBHz, pk = board.Target.PeakingDb;
    const double m3 = std::max(mask.Minus3dB, 0.0), mp = std::max(mask.PeakingDb, 0.0);
    const auto of = [](const BoardRun& run, const SpreadAccumulator& values) {
        return BuildFigures{&values, run.Failed};
    };
    return {
        {"build_trim_f3db.svg",
         {"-3 dB frequency, before and after the trim", "Hz",
          of(board.After, board.After.Minus3dBSamples), f3, f3 * (1 - m3), f3 * (1 + m3),
          of(board.Before, board.Before.Minus3dBSamples)}},
        {"build_trim_peaking.svg",
         {"Peaking, before and after the trim", "dB", of(board.After, board.After.PeakingSamples),
          pk, pk - mp, pk + mp, of(board.Before, board.Before.PeakingSamples)}}};
}

bool WriteTrimPlots(const std::string& dir, const Board& board, const YieldMask& mask,
                    std::ostream& err) {
    bool ok = true;
    for (const TrimSpread& t : TrimHistograms(board, mask))
        ok = WriteOutputFile(FileInFolder(dir, t.File), HistogramSvg(t.Plot), err) && ok;
    return ok;
}

}  // namespace velmora
