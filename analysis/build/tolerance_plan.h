// The cheapest tolerance grade for each part that still gives a wanted
// yield under a mask, with or without the gain trim, and each part's share
// of the spread, which says why a part needs its grade.
//
// Cost is only an order: a looser grade is cheaper, and a plan with fewer
// grade steps tightened is cheaper. Starting from the loosest grades, the
// search tightens the part of the largest share one grade at a time until
// the Monte Carlo yield reaches the target, then loosens, smallest share
// first, every part that can go back a grade without losing it. A yield
// reaches the target only when the lower end of its 95 % Wilson interval
// does; where the interval holds the target, the grades are run again on
// four times the builds. Every yield is from the same seed's draws, so
// plans compare build for build.
//
//   PlanRequest q;  q.TargetYield = 0.99;  q.Trials = 2000;  q.Seed = 1;  q.Trim = true;
//   TolerancePlan p = PlanTolerances(build, target, mask, q);
//   // p.Tol.Of[kBoardC1] = 0.02 ... ; WilsonInterval(p.Run.Passed, p.Run.Trials).Low >= 0.99
//   // when p.Reached; p.Run.Trials is q.Trials, or 4 q.Trials for a close call
#pragma once

#include <optional>
#include <span>
#include <string>

#include "trim.h"

namespace velmora {

// The grades on offer, loosest (cheapest) first: for a resistor, those its
// series' values are sold in (any grade for values left as computed).
//   GradesOf(kBoardR1, ESeries::E96) -> {0.01, 0.005, 0.001}
//   GradesOf(kBoardR1, ESeries::E24) -> {0.05, 0.01, 0.005, 0.001}: the last
//                                       two as E96 values (SeriesForGrade)
//   GradesOf(kBoardC1)               -> {0.10, 0.05, 0.02, 0.01}
std::span<const double> GradesOf(int part, std::optional<ESeries> resistorSeries = std::nullopt);

// The series a resistor of `series` is bought from in `grade`: its own when
// that series is sold in the grade, else E96, whose values are sold at 1 %
// and, as E192 values, at 0.5 and 0.1 %.
//   SeriesForGrade(ESeries::E24, 0.01)  -> E24
//   SeriesForGrade(ESeries::E24, 0.005) -> E96
//   SeriesForGrade(ESeries::E48, 0.001) -> E48
ESeries SeriesForGrade(ESeries series, double grade);

struct PlanRequest {
    double TargetYield = 0.99;
    bool Trim = false;
    TrimOptions TrimSettings;  // its Seed and PilotTrials are taken from here
    int Trials = 2000;
    uint64_t Seed = 0;
    Distribution Shape = Distribution::Uniform;
    std::optional<ESeries> ResistorSeries;  // the resistors' values; the trim's fixed part's
                                            // is TrimSettings.FixedSeries
};

struct TolerancePlan {
    bool Reached = false;
    PartTolerances Tol;
    int Grade[kBoardPartCount] = {};  // index into the part's grades; R3's is R2's
    double Share[kBoardPartCount] = {};
    std::optional<TrimDesign> Trim;  // none with a trim asked for: no trim fits
    BoardRun Run;                    // the plan's own Monte Carlo (Trials, Seed)
};

TolerancePlan PlanTolerances(const SnappedBuild& build, const ResponseShape& target,
                             const YieldMask& mask, const PlanRequest& request);

// Each part's share of the spread of the masked figures (f0, Q, -3 dB,
// peaking, each over its limit), to first order: sum over the figures of
// (S * sigma / limit)^2, over the total. S is the figure's sensitivity to
// the part; with a trim, after the technician has set the trim again, so
// that R* and RK-R, whose error the trim takes out, have none. Sigma is
// tol / sqrt(3) for uniform draws and tol / 3 for Gaussian ones.
void SpreadShares(const SnappedBuild& build, const PartTolerances& tol, const ResponseShape& target,
                  const YieldMask& mask, const KTrim* trim, double (&share)[kBoardPartCount]);

// When the tightest grades fall short: what would reach the target, in
// words ("capacitors of 0.5 %", "the trim"), or "" when nothing tried does.
std::string WhatWouldReach(const SnappedBuild& build, const ResponseShape& target,
                           const YieldMask& mask, const PlanRequest& request);

}  // namespace velmora
