#include "search_report.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "board_text.h"
#include "build/board_monte_carlo.h"
#include "build/build_search.h"
#include "build/compensation.h"
#include "build/opamp_gbw.h"
#include "build/trim.h"
#include "build_plan.h"
#include "common/program.h"
#include "design/design_target.h"
#include "model/portable_math.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

// What rounds to zero prints as +0: compensated errors are rounding noise
// of either sign, and a sign that flips with the compiler is no news.
double Shown(double value, double step) {
    return std::fabs(value) < step / 2 ? 0 : value;
}

std::string Change(double fraction) {
    return Percent(fraction, 3, true);
}

std::string RangeText(const ResistorRange& r) {
    return Ohms(r.MinOhms) + " to " + Ohms(r.MaxOhms);
}

void WritePairs(std::ostream& out, const ResponseShape& target, const ResponseShape& real) {
    const BuildError e = CompareShapes(target, real);
    out << Row("", "Target", "With op-amp", "Error");
    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        out << Row("Pair " + n + " f0", WithPrefix(target.Pairs[i].F0Hz, "Hz", 6),
                   WithPrefix(real.Pairs[i].F0Hz, "Hz", 6), Change(e.F0[i]));
        out << Row("Pair " + n + " Q", Fmt("%.5g", target.Pairs[i].Q), Fmt("%.5g", real.Pairs[i].Q),
                   Change(e.Q[i]));
    }
    out << Row("-3 dB", WithPrefix(target.Minus3dBHz, "Hz", 6),
               WithPrefix(real.Minus3dBHz, "Hz", 6), Change(e.Minus3dB));
    out << Row("Peaking", Fmt("%.3f dB", target.PeakingDb), Fmt("%.3f dB", real.PeakingDb),
               Fmt("%+.3f dB", Shown(e.PeakingDb, 1e-3)));
}

// The part that moved furthest on the way to the limit, RK-R standing for
// K (K = 1 is RK-R = 0): that is what gives out.
std::string LimitText(const FilterParts& ideal, const FilterParts& last, double rstar) {
    const double was[] = {ideal.R1, ideal.R2, ideal.R4, RkrFor(ideal.K, rstar)};
    const double is[] = {last.R1, last.R2, last.R4, RkrFor(last.K, rstar)};
    const char* names[] = {"R1", "R2 = R3", "R4", "RK-R"};
    int worst = 0;
    for (int k = 1; k < 4; ++k)
        if (std::fabs(Log(is[k] / was[k])) > std::fabs(Log(is[worst] / was[worst]))) worst = k;
    return std::string(", where ") + names[worst] + " is " + Ohms(is[worst], 5) + " (from " +
           Ohms(was[worst], 5) + ")";
}

// The compensated values as a design, so that their standard values come
// from the same snapping and gain matching as the rest of the report.
DesignRecord AsDesign(const DesignRecord& d, const FilterParts& p) {
    constexpr double kOhmsPerKilohm = 1000;
    DesignRecord c = d;
    c.R1 = p.R1 / (kOhmsPerKilohm * d.ISF);
    c.R2 = c.R3 = p.R2 / (kOhmsPerKilohm * d.ISF);
    c.R4 = p.R4 / (kOhmsPerKilohm * d.ISF);
    c.K = p.K;
    return c;
}

void WriteSnappedCompensation(std::ostream& out, const BuildPlan& plan, const DesignRecord& d,
                              const FilterParts& compensated) {
    const SnappedBuild b = SnapDesign(AsDesign(d, compensated), plan.Series, d.ISF);
    const auto name = [](const std::optional<ESeries>& s) {
        return std::string(s ? SeriesName(*s) : "as computed");
    };
    out << "\n  Snapped (resistors " << name(plan.Series.Resistors) << ", capacitors "
        << name(plan.Series.Capacitors) << ")\n  R1 " << FormatEngineering(b.Built.R1, 4)
        << ", R2 = R3 " << FormatEngineering(b.Built.R2, 4) << ", R4 "
        << FormatEngineering(b.Built.R4, 4) << ", R* " << FormatEngineering(b.RStar, 4) << ", RK-R "
        << FormatEngineering(b.RkrBuilt, 4) << ", C " << FormatEngineering(b.Built.C1, 4) << "F, K "
        << Fmt("%.5f", b.Built.K) << "\n";
    WritePairs(out, TargetShape(d), ShapeWithGbw(b.Built, *plan.GbwHz));
}

void WriteCompensation(std::ostream& out, const BuildPlan& plan, const DesignRecord& d) {
    const double gbwHz = *plan.GbwHz;
    const FilterParts ideal = ScaledParts(d);
    const ResponseShape target = TargetShape(d);
    const ResistorRange range;  // the build search's
    const Compensation c = Compensate(ideal, target, gbwHz, d.RStar, range);
    const CompensationLimit least = LeastCompensableGbw(ideal, target, d.RStar, range);
    out << "\nOp-amp compensation: single pole, GBW " << WithPrefix(gbwHz, "Hz")
        << ", DC gain 100 dB; C1..C4 and R* kept, R2 = R3\n";
    const double before = CompareShapes(target, ShapeWithGbw(ideal, gbwHz)).Worst;
    out << "  Uncompensated, the worst f0 or Q error with this op-amp is "
        << Fmt("%.3f", before * 100) << " %\n";
    if (c.Solved) {
        out << Row("", "Computed", "Compensated", "Change");
        const double was[] = {ideal.R1, ideal.R2, ideal.R4, RkrFor(ideal.K, d.RStar)};
        const double is[] = {c.Parts.R1, c.Parts.R2, c.Parts.R4, (c.Parts.K - 1) * d.RStar};
        const char* names[] = {"R1", "R2 = R3", "R4", "RK-R"};
        for (int k = 0; k < 4; ++k)
            out << Row(names[k], Ohms(was[k], 5), Ohms(is[k], 5), Change(is[k] / was[k] - 1));
        out << Row("K", Fmt("%.5f", ideal.K), Fmt("%.5f", c.Parts.K),
                   Change(c.Parts.K / ideal.K - 1));
        out << "\n";
        WritePairs(out, target, c.Shape);
        out << "  Left: the op-amp's own pole, now at " << WithPrefix(c.Shape.ExtraPoleHz, "Hz")
            << ", which no choice of these parts\n  removes; it moves the -3 dB frequency "
               "and the peaking above.\n";
        if (plan.Series.Resistors || plan.Series.Capacitors)
            WriteSnappedCompensation(out, plan, d, c.Parts);
    } else {
        out << "  No set of parts with every resistor from " << RangeText(range)
            << " (RK-R may be 0)\n  and K >= 1 gives the target pairs with this op-amp.\n";
    }
    out << "  Least GBW for which compensation works: "
        << (least.Found ? WithPrefix(least.GbwHz, "Hz") + LimitText(ideal, least.Parts, d.RStar)
            : PartsInRange(ideal, d.RStar, range)
                ? std::string("none found")
                : "none, the computed parts are not all from " + RangeText(range))
        << "\n";
}

// A column of the side-by-side table: a candidate, or the build the rest
// of the report uses, so that the gain is in view.
struct Column {
    std::string Head, Root, Series;
    BuildCandidate C;
};

Column CandidateColumn(const BuildCandidate& c, int rank) {
    return {"#" + std::to_string(rank), std::to_string(c.Root) + (c.WindowRoot ? " (window)" : ""),
            std::string(SeriesName(c.Resistors)) + " / " + SeriesName(c.Capacitors), c};
}

Column GivenColumn(const BuildPlan& plan, const DesignRecord& d, const SnappedBuild& build,
                   const YieldEvaluator& yield, const YieldRun& run) {
    const auto name = [](const std::optional<ESeries>& s) {
        return std::string(s ? SeriesName(*s) : "exact");
    };
    Column given{
        "given", "window", name(plan.Series.Resistors) + " / " + name(plan.Series.Capacitors), {}};
    given.C.Build = build;
    given.C.Shape = ShapeOfParts(given.C.Build.Built);
    given.C.Error = CompareShapes(TargetShape(d), given.C.Shape);
    const SnappedBuild& b = given.C.Build;
    const bool buildable = CanBeMade(b);
    given.C.Yield = buildable ? yield(b, run) : NAN;
    given.C.YieldTrials = buildable ? run.Trials : 0;
    return given;
}

// One row of the table: a label, then a cell a column.
void WriteRow(std::ostream& out, const std::string& label, const std::vector<Column>& columns,
              const std::function<std::string(const Column&)>& cell) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "  %-12s", label.c_str());
    std::string line = buffer;
    for (const Column& c : columns) {
        std::snprintf(buffer, sizeof buffer, " %-13s", cell(c).c_str());
        line += buffer;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << "\n";
}

void WriteTable(std::ostream& out, const std::vector<Column>& columns) {
    const auto part = [](double FilterParts::*p) {
        return [p](const Column& c) { return FormatEngineering(c.C.Build.Built.*p, 4); };
    };
    WriteRow(out, "", columns, [](const Column& c) { return c.Head; });
    WriteRow(out, "Yield", columns, [](const Column& c) {
        return std::isnan(c.C.Yield) ? std::string("no board") : Fmt("%.2f %%", c.C.Yield * 100);
    });
    WriteRow(out, "  95 %", columns, [](const Column& c) {
        if (c.C.YieldTrials <= 0) return std::string("-");
        const YieldInterval i = IntervalOf(c.C);
        return Fmt("%.2f", i.Low * 100) + "-" + Fmt("%.2f %%", i.High * 100);
    });
    WriteRow(out, "Worst error", columns,
             [](const Column& c) { return Fmt("%.3f %%", c.C.Error.Worst * 100); });
    WriteRow(out, "Root", columns, [](const Column& c) { return c.Root; });
    WriteRow(out, "Series", columns, [](const Column& c) { return c.Series; });
    WriteRow(out, "C1..C4", columns,
             [](const Column& c) { return FormatEngineering(c.C.Build.Built.C1, 3) + "F"; });
    WriteRow(out, "ISF", columns, [](const Column& c) { return Fmt("%.6g", c.C.Build.Isf); });
    WriteRow(out, "R1", columns, part(&FilterParts::R1));
    WriteRow(out, "R2 = R3", columns, part(&FilterParts::R2));
    WriteRow(out, "R4", columns, part(&FilterParts::R4));
    WriteRow(out, "R*", columns,
             [](const Column& c) { return FormatEngineering(c.C.Build.RStar, 4); });
    WriteRow(out, "RK-R", columns,
             [](const Column& c) { return FormatEngineering(c.C.Build.RkrBuilt, 4); });
    WriteRow(out, "K", columns, [](const Column& c) { return Fmt("%.5f", c.C.Build.Built.K); });
    out << "  (resistors in ohms; 95 %: the Wilson score interval of the yield; no board: a "
           "part would be negative or is missing)\n";
}

// Which builds the yields cannot tell apart: those whose intervals meet
// the leader's, the given build among them when it is.
void WriteTies(std::ostream& out, const std::vector<Column>& columns) {
    if (columns.size() < 2 || columns.front().Head == "given") return;
    const YieldInterval best = IntervalOf(columns.front().C);
    const Column& given = columns.back();
    std::string tied;
    for (const Column& c : columns)
        if (c.C.YieldTrials > 0 && Tied(IntervalOf(c.C), best))
            tied += (tied.empty() ? "" : ", ") + c.Head;
    if (given.C.YieldTrials > 0 && IntervalOf(given.C).Low > best.High)
        out << "  The given build is better than every candidate beyond the noise.\n";
    else if (tied.find(',') != std::string::npos)
        out << "  Tied within their 95 % intervals: " << tied
            << " (no ranking among them; the smaller worst error first)\n";
}

nlohmann::ordered_json ColumnJson(const Column& column) {
    const BuildCandidate& c = column.C;
    const SnappedBuild& b = c.Build;
    nlohmann::ordered_json j;
    j["rank"] = column.Head;
    j["yield"] = c.Yield;
    j["trials"] = c.YieldTrials;
    if (c.YieldTrials > 0) {
        const YieldInterval i = IntervalOf(c);
        j["yield_interval"] = {i.Low, i.High};
    }
    j["worst_error"] = c.Error.Worst;
    j["rss_error"] = c.Error.Rss;
    j["root"] = column.Root;
    j["series"] = column.Series;
    j["isf"] = b.Isf;
    j["parts"] = {{"R1", b.Built.R1}, {"R2", b.Built.R2},   {"R3", b.Built.R3}, {"R4", b.Built.R4},
                  {"C1", b.Built.C1}, {"C2", b.Built.C2},   {"C3", b.Built.C3}, {"C4", b.Built.C4},
                  {"R*", b.RStar},    {"RK-R", b.RkrBuilt}, {"K", b.Built.K}};
    return j;
}

int WriteBestBuilds(std::ostream& out, std::ostream& err, const BuildPlan& plan,
                    const DesignRecord& d, const Board& board) {
    BuildSearchSpace space;
    if (plan.Series.Resistors) space.ResistorSeries = {*plan.Series.Resistors};
    if (plan.Series.Capacitors) space.CapacitorSeries = *plan.Series.Capacitors;
    BuildSearchBudget budget;
    budget.Seed = plan.Seed;
    YieldEvaluator yield = MonteCarloYield(TargetShape(d), plan.Mask, plan.Tol);
    if (plan.Trim) {
        // Each candidate gets a trim of its own and the technician's
        // procedure in every trial: dearer trials, so fewer of them.
        budget = {40, 300, 4, 3000, plan.Seed};
        yield = [target = TargetShape(d), &plan](const SnappedBuild& b, const YieldRun& run) {
            TrimOptions o = RequestOf(plan).TrimSettings;
            o.PilotTrials = 300;
            o.Seed = run.Seed;
            return BuildYield(b, EqualGrades(plan.Tol), target, plan.Mask, true, o, run.Trials);
        };
    }
    const BuildSearchResult r = SearchBuilds(d, space, budget, yield);

    out << "\nBest standard-value builds: yield under --mask"
        << (plan.Trim ? " after the gain trim" : "") << " with R "
        << Fmt("%g", plan.Tol.Resistor * 100) << " %, C " << Fmt("%g", plan.Tol.Capacitor * 100)
        << " % (" << (plan.Tol.Shape == Distribution::Gaussian ? "Gaussian" : "uniform")
        << "), ideal op-amp; ties to the smaller worst f0 or Q error\n  " << r.Candidates
        << " builds from " << r.Buildable << " of " << r.Roots << " root(s); the " << r.Screened
        << " nearest the target screened with " << budget.ScreenTrials << " trials (seed "
        << budget.Seed << "), the best " << r.Best.size() << " and the given build run with "
        << budget.FinalTrials << " (seed " << budget.Seed + 1 << ")\n";
    std::vector<Column> columns;
    for (const BuildCandidate& c : r.Best)
        if (columns.size() < static_cast<size_t>(plan.Search.BestBuilds))
            columns.push_back(CandidateColumn(c, static_cast<int>(columns.size()) + 1));
    if (columns.empty())
        out << "  No build fits: no root can be built, or none of its builds is stable with a "
               "capacitor from\n  1 nF to 1 uF, every resistor from 100 ohm to 1 Mohm and R* "
               "within 3.3 times the given one.\n";
    columns.push_back(
        GivenColumn(plan, d, board.Build, yield, {budget.FinalTrials, budget.Seed + 1}));
    WriteTable(out, columns);
    WriteTies(out, columns);
    if (plan.Search.BestBuildJson.empty()) return 0;
    nlohmann::ordered_json j;
    j["roots"] = r.Roots;
    j["buildable_roots"] = r.Buildable;
    j["candidates"] = r.Candidates;
    j["screened"] = r.Screened;
    j["screen_trials"] = budget.ScreenTrials;
    j["screen_seed"] = budget.Seed;
    j["seed"] = budget.Seed + 1;
    j["builds"] = nlohmann::ordered_json::array();
    for (const Column& c : columns)
        j["builds"].push_back(ColumnJson(c));
    const std::string text = j.dump(2) + "\n";
    if (plan.Search.BestBuildJson == "-") {
        out << "\n" << text;
        return 0;
    }
    return WriteOutputFile(plan.Search.BestBuildJson, text, err) ? 0 : 1;
}

}  // namespace

int WriteSearchReport(const BuildPlan& plan, const DesignRecord& d, const Board& board,
                      std::ostream& out, std::ostream& err) {
    if (plan.Search.Compensate && plan.GbwHz) WriteCompensation(out, plan, d);
    if (plan.Search.BestBuilds > 0) return WriteBestBuilds(out, err, plan, d, board);
    return 0;
}

}  // namespace velmora
