#include "tolerance_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "response/response_shape.h"
#include "yield_interval.h"

namespace velmora {

namespace {

constexpr double kResistorGrades[] = {0.05, 0.02, 0.01, 0.005, 0.001};

// The grades each series' values are sold in: E12 and E24 values at 5 and
// 1 %; E48 values at 2 % and, being E96 and E192 values too, at 1, 0.5 and
// 0.1 %; E96 values at 1 % and, as E192 values, at 0.5 and 0.1 %. An E24
// part is offered 0.5 and 0.1 % too, bought as the nearest E96 value
// (SeriesForGrade).
constexpr double kE24Grades[] = {0.05, 0.01, 0.005, 0.001};
constexpr double kE24Tightest = 0.01;
constexpr double kE48Grades[] = {0.02, 0.01, 0.005, 0.001};
constexpr double kE96Grades[] = {0.01, 0.005, 0.001};
constexpr double kCapacitorGrades[] = {0.10, 0.05, 0.02, 0.01};

// A yield whose interval holds the target is run again on this many times
// the builds: the bound on what a close call costs.
constexpr int kCloseFactor = 4;

// The figures a mask can limit, each over its limit; unlimited ones are 0.
constexpr int kFigures = 6;

void Figures(const FilterParts& p, const ResponseShape& target, const YieldMask& m,
             double (&out)[kFigures]) {
    const ResponseShape s = ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(p), p.K));
    const auto relative = [](double v, double t, double limit) {
        return limit > 0 ? (v / t - 1) / limit : 0;
    };
    out[0] = relative(s.Minus3dBHz, target.Minus3dBHz, m.Minus3dB);
    out[1] = m.PeakingDb > 0 ? (s.PeakingDb - target.PeakingDb) / m.PeakingDb : 0;
    for (int i = 0; i < 2; ++i) {
        out[2 + i] = relative(s.Pairs[i].F0Hz, target.Pairs[i].F0Hz, m.F0);
        out[4 + i] = relative(s.Pairs[i].Q, target.Pairs[i].Q, m.Q);
    }
}

// The parts with part `part` scaled by factor, and K as the board then has
// it: from RK-R and R*, or as the technician sets it.
FilterParts Perturbed(const SnappedBuild& b, int part, double factor, const KTrim* trim) {
    FilterParts p = b.Built;
    double* const values[] = {&p.R1, &p.R2, &p.R3, &p.R4, &p.C1, &p.C2, &p.C3, &p.C4};
    if (part <= kBoardC4) *values[part] *= factor;
    if (trim) {
        const auto k = GainForReading(CircuitPolynomialOf(p), trim->TestHz, trim->StatedGain,
                                      1 + trim->FixedOhms / b.RStar);
        if (k) p.K = *k;
    } else if (part == kBoardRStar) {
        p.K = GainOf(b.RkrBuilt, b.RStar * factor);
    } else if (part == kBoardRkr) {
        p.K = 1 + b.RkrBuilt * factor / b.RStar;
    }
    return p;
}

struct Search {
    const SnappedBuild& Build;
    const ResponseShape& Target;
    const YieldMask& Mask;
    const PlanRequest& Request;
    double TestHz = 0;

    std::span<const double> Grades(int part) const {
        if (part == kBoardRkr && Request.Trim)
            return GradesOf(part, Request.TrimSettings.FixedSeries.value_or(ESeries::E24));
        return GradesOf(part, Request.ResistorSeries);
    }

    PartTolerances TolOf(const int (&grade)[kBoardPartCount]) const {
        PartTolerances t;
        t.Shape = Request.Shape;
        for (int part = 0; part < kBoardPartCount; ++part)
            t.Of[part] = Grades(part)[static_cast<size_t>(grade[part])];
        return t;
    }

    std::optional<KTrim> TrimFor(const PartTolerances& tol) const {
        if (!Request.Trim) return std::nullopt;
        return FitTrim(Build, tol, TestHz, Request.TrimSettings);
    }

    // The plan's Monte Carlo of these grades; where the target lies inside
    // the yield's interval, again with kCloseFactor times the builds (the
    // first ones the same), so that "reaches" is decided above the noise.
    BoardRun Run(const int (&grade)[kBoardPartCount]) const {
        const PartTolerances tol = TolOf(grade);
        const std::optional<KTrim> trim = TrimFor(tol);
        BoardRun run = SimulateBoard(
            SetupOf(Build, tol, Request.Trials, Request.Seed, trim, Request.TrimSettings.Amp),
            Target, Mask);
        const YieldInterval i = WilsonInterval(run.Passed, run.Trials);
        if (i.Low < Request.TargetYield && Request.TargetYield <= i.High)
            run = SimulateBoard(SetupOf(Build, tol, kCloseFactor * Request.Trials, Request.Seed,
                                        trim, Request.TrimSettings.Amp),
                                Target, Mask);
        return run;
    }

    bool Meets(const BoardRun& run) const {
        return Reaches(WilsonInterval(run.Passed, run.Trials), Request.TargetYield);
    }
};

}  // namespace

std::span<const double> GradesOf(int part, std::optional<ESeries> series) {
    if (IsCapacitor(part)) return kCapacitorGrades;
    if (!series) return kResistorGrades;
    switch (*series) {
        case ESeries::E48:
            return kE48Grades;
        case ESeries::E96:
            return kE96Grades;
        default:
            return kE24Grades;
    }
}

ESeries SeriesForGrade(ESeries series, double grade) {
    const bool sold = series == ESeries::E48 || series == ESeries::E96 || grade >= kE24Tightest;
    return sold ? series : ESeries::E96;
}

void SpreadShares(const SnappedBuild& b, const PartTolerances& tol, const ResponseShape& target,
                  const YieldMask& mask, const KTrim* trim, double (&share)[kBoardPartCount]) {
    constexpr double h = 1e-4;
    const double spread = tol.Shape == Distribution::Gaussian ? 1.0 / 3 : 1 / std::sqrt(3.0);
    double total = 0;
    for (int part = 0; part < kBoardPartCount; ++part) {
        double up[kFigures], down[kFigures];
        Figures(Perturbed(b, part, 1 + h, trim), target, mask, up);
        Figures(Perturbed(b, part, 1 - h, trim), target, mask, down);
        share[part] = 0;
        for (int f = 0; f < kFigures; ++f) {
            const double z = (up[f] - down[f]) / (2 * h) * tol.Of[part] * spread;
            share[part] += z * z;
        }
        total += share[part];
    }
    for (double& s : share)
        s = total > 0 ? s / total : 0;
}

TolerancePlan PlanTolerances(const SnappedBuild& b, const ResponseShape& target,
                             const YieldMask& mask, const PlanRequest& q) {
    Search search{b, target, mask, q};
    TolerancePlan plan;
    int grade[kBoardPartCount] = {};
    std::optional<TrimDesign> trim;
    // The best test frequency moves as the grades tighten: choose it again
    // every few steps and once more before giving up or loosening.
    const auto redesign = [&] {
        if (!q.Trim) return;
        trim = DesignTrim(b, search.TolOf(grade), target, mask, q.TrimSettings);
        search.TestHz = trim->Trim.TestHz;
    };
    redesign();
    if (trim && !trim->Reachable) return plan;  // no trimmer in RK-R sets this design
    // 1. Tighten the part that spreads the figures most until the yield is met.
    BoardRun run = search.Run(grade);
    for (int step = 1; !search.Meets(run); ++step) {
        const PartTolerances tol = search.TolOf(grade);
        const std::optional<KTrim> k = search.TrimFor(tol);
        double share[kBoardPartCount];
        SpreadShares(b, tol, target, mask, k ? &*k : nullptr, share);
        // R2 and R3 are one value, bought as one line in one grade.
        share[kBoardR2] += share[kBoardR3];
        int widest = -1;
        for (int part = 0; part < kBoardPartCount; ++part)
            if (part != kBoardR3 &&
                static_cast<size_t>(grade[part] + 1) < search.Grades(part).size() &&
                (widest < 0 || share[part] > share[widest]))
                widest = part;
        if (widest < 0) break;  // every part at its tightest
        ++grade[widest];
        grade[kBoardR3] = grade[kBoardR2];
        if (step % 3 == 0) redesign();
        run = search.Run(grade);
    }
    // 2. Then give back, smallest share first, what the yield does not need.
    redesign();
    run = search.Run(grade);
    plan.Reached = search.Meets(run);
    if (plan.Reached) {
        double share[kBoardPartCount];
        const std::optional<KTrim> k = search.TrimFor(search.TolOf(grade));
        SpreadShares(b, search.TolOf(grade), target, mask, k ? &*k : nullptr, share);
        share[kBoardR2] += share[kBoardR3];
        int order[kBoardPartCount];
        for (int part = 0; part < kBoardPartCount; ++part)
            order[part] = part;
        std::stable_sort(std::begin(order), std::end(order),
                         [&](int x, int y) { return share[x] < share[y]; });
        for (const int part : order) {
            if (part == kBoardR3) continue;  // goes with R2
            while (grade[part] > 0) {
                --grade[part];
                grade[kBoardR3] = grade[kBoardR2];
                const BoardRun looser = search.Run(grade);
                if (!search.Meets(looser)) {
                    ++grade[part];
                    grade[kBoardR3] = grade[kBoardR2];
                    break;
                }
                run = looser;
            }
        }
    }
    plan.Tol = search.TolOf(grade);
    std::copy(std::begin(grade), std::end(grade), plan.Grade);
    if (q.Trim) {
        trim->Trim = *search.TrimFor(plan.Tol);
        plan.Trim = trim;
    }
    plan.Run = run;
    SpreadShares(b, plan.Tol, target, mask, plan.Trim ? &plan.Trim->Trim : nullptr, plan.Share);
    return plan;
}

std::string WhatWouldReach(const SnappedBuild& b, const ResponseShape& target,
                           const YieldMask& mask, const PlanRequest& q) {
    const auto tightest = [&](double capacitors) {
        PartTolerances t;
        t.Shape = q.Shape;
        for (int part = 0; part < kBoardPartCount; ++part)
            t.Of[part] =
                IsCapacitor(part) ? capacitors : kResistorGrades[std::size(kResistorGrades) - 1];
        return t;
    };
    const auto reaches = [&](double capacitors, bool trimmed) {
        const double y =
            BuildYield(b, tightest(capacitors), target, mask, trimmed, q.TrimSettings, q.Trials);
        return Reaches(WilsonInterval(static_cast<int>(std::lround(y * q.Trials)), q.Trials),
                       q.TargetYield);
    };
    // The cheapest change first: the trim alone, then finer capacitors,
    // each without the trim before with it.
    const double tightestC = kCapacitorGrades[std::size(kCapacitorGrades) - 1];
    for (const double c : {tightestC, 0.005, 0.0025, 0.001}) {
        for (const bool trimmed : {false, true}) {
            const bool tried = trimmed == q.Trim && c == tightestC;
            if ((q.Trim && !trimmed) || tried || !reaches(c, trimmed)) continue;
            if (c == tightestC) return "the gain trim (--trim)";
            char text[160];
            std::snprintf(
                text, sizeof text, "film capacitors of %g %%%s", c * 100,
                trimmed ? (q.Trim ? " with the trim" : " and the gain trim (--trim)") : "");
            return text;
        }
    }
    return "";
}

}  // namespace velmora
