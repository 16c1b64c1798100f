#include "board.h"

#include <cmath>
#include <cstdio>

#include "design/design_target.h"
#include "yield_interval.h"

namespace velmora {

namespace {

constexpr double kGbwLimit = 0.01;  // f0 and Q within 1 % of the ideal amplifier

// The trim for these grades: designed anew, or none when none fits.
std::optional<TrimDesign> TrimFor(const Board& b, const PartTolerances& grades,
                                  const BoardRequest& q) {
    const TrimDesign t = DesignTrim(b.Build, grades, b.Target, q.Mask, q.TrimSettings);
    if (!t.Reachable) return std::nullopt;
    return t;
}

PlanRequest PlanRequestOf(const BoardRequest& q) {
    PlanRequest p;
    p.TargetYield = *q.PlanYield;
    p.TrimSettings = q.TrimSettings;
    p.Trials = q.Trials;
    p.Seed = q.Seed;
    p.Shape = q.Tol.Shape;
    p.ResistorSeries = q.Series.Resistors;
    return p;
}

void PlanBoard(Board& b, const BoardRequest& q) {
    PlanRequest p = PlanRequestOf(q);
    b.Plans.resize(2);
    for (int k = 0; k < 2; ++k) {
        p.Trim = k == 1;
        b.Plans[static_cast<size_t>(k)] = PlanTolerances(b.Build, b.Target, q.Mask, p);
        if (!b.Plans[static_cast<size_t>(k)].Reached)
            b.WhatWould[k] = WhatWouldReach(b.Build, b.Target, q.Mask, p);
    }
    const TolerancePlan& chosen = b.Plans[q.Trim && b.Plans[1].Trim ? 1 : 0];
    b.Grades = chosen.Tol;
    if (q.Trim) b.Trim = chosen.Trim;
}

// Moves the resistors whose plan grade their series is not sold in to one
// that is, at the value there nearest the computed one; R* (when chosen
// from the series) to its nearest, and RK-R solved again for the design's
// K with it. The plan's trim is designed again and its Monte Carlo run
// again on the moved board, so that what the plan prints is that board's.
// Returns whether anything moved.
bool MoveForGrades(Board& b, const BoardRequest& q) {
    if (!q.Series.Resistors || b.Plans.empty()) return false;
    const ESeries own = *q.Series.Resistors;
    const bool trimmed = b.Trim.has_value();
    bool moved = false;
    for (const int part : {kBoardR1, kBoardR2, kBoardR3, kBoardR4, kBoardRStar, kBoardRkr}) {
        const bool asGiven = part == kBoardRStar && b.Build.RStar == b.Build.RStarGiven;
        const ESeries from = part == kBoardRkr && trimmed ? FixedSeries(q) : own;
        const ESeries to = SeriesForGrade(from, b.Grades.Of[part]);
        if (asGiven || to == from) continue;
        b.MovedTo[part] = to;
        moved = true;
    }
    if (!moved) return false;
    SnappedBuild& m = b.Build;
    double FilterParts::*const ladder[] = {&FilterParts::R1, &FilterParts::R2, &FilterParts::R3,
                                           &FilterParts::R4};
    for (int k = 0; k < 4; ++k)
        if (const auto to = b.MovedTo[kBoardR1 + k])
            m.Built.*ladder[k] = SnapToSeries(m.Ideal.*ladder[k], *to);
    const ESeries rkrSeries = trimmed ? own : b.MovedTo[kBoardRkr].value_or(own);
    if (b.MovedTo[kBoardRStar]) {
        m.RStar = SnapToSeries(m.RStar, *b.MovedTo[kBoardRStar]);
        m.RkrIdeal = RkrFor(m.Ideal.K, m.RStar);
        m.RkrBuilt = SnapToSeries(m.RkrIdeal, rkrSeries);
    } else if (b.MovedTo[kBoardRkr] && !trimmed) {
        m.RkrBuilt = SnapToSeries(m.RkrIdeal, rkrSeries);
    }
    m.Built.K = GainOf(m.RkrBuilt, m.RStar);
    TolerancePlan& plan = b.Plans[trimmed ? 1 : 0];
    if (trimmed) {
        BoardRequest r = q;
        r.TrimSettings.FixedSeries = b.MovedTo[kBoardRkr].value_or(FixedSeries(q));
        plan.Trim = TrimFor(b, b.Grades, r);
        b.Trim = plan.Trim;
    }
    const std::optional<KTrim> trim = b.Trim ? std::optional<KTrim>(b.Trim->Trim) : std::nullopt;
    plan.Run = SimulateBoard(SetupOf(m, b.Grades, plan.Run.Trials, q.Seed, trim), b.Target, q.Mask);
    plan.Reached = Reaches(WilsonInterval(plan.Run.Passed, plan.Run.Trials), *q.PlanYield);
    // The grades were chosen on the series' values; the moved ones may land
    // farther from the computed values and the board fall short.
    PlanRequest p = PlanRequestOf(q);
    p.Trim = trimmed;
    b.WhatWould[trimmed ? 1 : 0] = plan.Reached ? "" : WhatWouldReach(m, b.Target, q.Mask, p);
    SpreadShares(m, plan.Tol, b.Target, q.Mask, trim ? &*trim : nullptr, plan.Share);
    return true;
}

// Where the procedure leaves VR1 on the nominal board, read exactly.
void SetNominalTrimmer(Board& b, const YieldOpAmp& amp) {
    b.Nominal = b.Build.Built;
    b.NominalRkr = b.Build.RkrBuilt;
    if (!b.Trim) return;
    const KTrim& t = b.Trim->Trim;
    DrawnBoard d{b.Build.Built, b.Build.RStar, t.FixedOhms, t.PotOhms, 1, amp};
    const TrimSetting s = SetTrimmer(d, t);
    b.TrimPosition = s.Position;
    b.NominalRkr = t.FixedOhms + t.PotOhms * s.Position / t.Steps;
    b.Nominal.K = s.K;
}

std::string TestText(const KTrim& t) {
    if (!(t.TestHz > 0)) return "DC";
    char text[32];
    std::snprintf(text, sizeof text, "%g Hz", t.TestHz);
    return text;
}

}  // namespace

ESeries FixedSeries(const BoardRequest& q) {
    return q.TrimSettings.FixedSeries.value_or(ESeries::E24);
}

ESeries FixedSeries(const Board& b, const BoardRequest& q) {
    return b.MovedTo[kBoardRkr].value_or(FixedSeries(q));
}

Board MakeBoard(const DesignRecord& d, const BoardRequest& q) {
    Board b;
    b.Target = TargetShape(d);
    // 1. The build: snapped at the design's ISF, or at the best of a range.
    b.Build = SnapDesign(d, q.Series, d.ISF);
    if (q.IsfSearch) {
        b.IsfSearch = SearchIsf(d, q.Series, q.IsfLow, q.IsfHigh, q.IsfSteps);
        if (std::isfinite(b.IsfSearch->Error.Rss)) b.Build = b.IsfSearch->Build;
    }
    b.Built = ShapeOfParts(b.Build.Built);
    if (q.OpAmpLimit) b.Gbw = MinimumGbw(b.Build.Built, kGbwLimit);
    b.Grades = EqualGrades(q.Tol);
    b.TrimAsked = q.Trim;
    if (q.Trials > 0) {
        // 2. The spread of the given grades.
        b.Spread = RunMonteCarlo({b.Build.Built, b.Build.RStar, b.Build.RkrBuilt, q.Tol, q.Trials,
                                  q.Seed, q.TrimSettings.Amp},
                                 b.Target, q.Mask);
        // 3. The board's grades and trim, and its yields before and after it.
        if (q.PlanYield) {
            PlanBoard(b, q);
            if (MoveForGrades(b, q)) {
                // The board is the moved one: its shape, amplifier and spread too.
                b.Built = ShapeOfParts(b.Build.Built);
                if (q.OpAmpLimit) b.Gbw = MinimumGbw(b.Build.Built, kGbwLimit);
                b.Spread = RunMonteCarlo(
                    {b.Build.Built, b.Build.RStar, b.Build.RkrBuilt, q.Tol, q.Trials, q.Seed},
                    b.Target, q.Mask);
            }
        } else if (q.Trim)
            b.Trim = TrimFor(b, b.Grades, q);
        if (b.Trim) {
            // As many builds as the plan ran for its yield, which is this one.
            const int trials = b.Plans.empty() ? q.Trials : b.Plans[1].Run.Trials;
            const YieldOpAmp& amp = q.TrimSettings.Amp;
            b.Before = SimulateBoard(SetupOf(b.Build, b.Grades, trials, q.Seed, std::nullopt, amp),
                                     b.Target, q.Mask, true);
            b.After = SimulateBoard(SetupOf(b.Build, b.Grades, trials, q.Seed, b.Trim->Trim, amp),
                                    b.Target, q.Mask, true);
        }
    }
    SetNominalTrimmer(b, q.TrimSettings.Amp);
    return b;
}

std::vector<BomLine> BoardBill(const Board& b, const BoardRequest& q) {
    std::vector<BomLine> bom = BillOfMaterials(b.Build, q.Series, &q.Tol, &b.Gbw);
    if (b.Plans.size() == 2)
        for (BomLine& line : bom)
            for (int part = 0; part < kBoardPartCount; ++part)
                if (line.Ref == BoardPartName(part)) {
                    line.Tolerance = b.Grades.Of[part];
                    if (b.MovedTo[part]) line.Series = SeriesName(*b.MovedTo[part]);
                }
    // R2 and R3 are one value in one grade: one line to order.
    if (b.Build.Built.R2 == b.Build.Built.R3 && b.Grades.Of[kBoardR2] == b.Grades.Of[kBoardR3])
        for (auto it = bom.begin(); it != bom.end(); ++it)
            if (it->Ref == "R2" && it + 1 != bom.end() && (it + 1)->Ref == "R3") {
                it->Ref = "R2, R3";
                bom.erase(it + 1);
                break;
            }
    if (!b.Trim) return bom;
    const KTrim& t = b.Trim->Trim;
    for (auto it = bom.begin(); it != bom.end(); ++it) {
        if (it->Ref != "RK-R") continue;
        it->Value = it->Computed = t.FixedOhms;
        it->Series = SeriesName(FixedSeries(b, q));
        it->Description = "Resistor, fixed part of RK-R";
        char gain[32];
        std::snprintf(gain, sizeof gain, "%.4g", t.StatedGain);
        const std::string setting =
            "Trimmer, multi-turn, in series with RK-R: turned up to a gain of " +
            std::string(gain) + " at " + TestText(t);
        bom.insert(it + 1, {"VR1", t.PotOhms, "ohm", t.PotOhms, "", t.PotTolerance, setting});
        break;
    }
    return bom;
}

}  // namespace velmora
