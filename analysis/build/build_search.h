// The best board among the free choices a design leaves: which root of the
// design equation (alternatives.h), which capacitor from an E-series (it
// fixes ISF and so every resistor), which resistor series, and which R* and
// RK-R pair of that series sets K. Ranked by yield under the limits, ties
// by the nominal worst f0 / Q error.
//
// The yield comes from a YieldEvaluator, so a trim-aware or faster
// estimate plugs in without touching the search; MonteCarloYield is the
// plain one. Run time is bounded by the budget alone: at most
// MaxCandidates * ScreenTrials + Finalists * FinalTrials trials.
//
//   YieldEvaluator y = MonteCarloYield(TargetShape(d), mask, {0.01, 0.05});
//   BuildSearchResult r = SearchBuilds(d, {}, {}, y);
//   // r.Best[0].Build.Built: the parts; r.Best[0].Yield: fraction of
//   // FinalTrials builds inside the mask
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "design.h"
#include "eseries.h"
#include "monte_carlo.h"
#include "resistor_range.h"
#include "standard_values.h"
#include "yield_interval.h"

namespace velmora {

// The same Seed and Trials for every build compared: common draws make the
// ranking sharper than independent runs of the same size.
struct YieldRun {
    int Trials = 0;
    uint64_t Seed = 0;
};

// The fraction of builds (0..1) of `build` inside the limits.
using YieldEvaluator = std::function<double(const SnappedBuild& build, const YieldRun& run)>;

// RunMonteCarlo's yield of the built parts and their R*, RK-R.
YieldEvaluator MonteCarloYield(const ResponseShape& target, const YieldMask& mask,
                               const Tolerances& tol);

struct BuildSearchSpace {
    std::vector<ESeries> ResistorSeries{ESeries::E24, ESeries::E48, ESeries::E96};
    ESeries CapacitorSeries = ESeries::E6;
    double MinFarads = 1e-9, MaxFarads = 1e-6;
    ResistorRange Resistors;
    // R* is the design's own or a series member within this factor of it;
    // the GainPairs pairs of K nearest the root's are tried.
    double RStarSpan = 3.3;
    int GainPairs = 3;
};

struct BuildSearchBudget {
    int MaxCandidates = 400;  // beyond it, those of least nominal error
    int ScreenTrials = 200;
    int Finalists = 8;
    int FinalTrials = 2000;  // with Seed + 1: the printed yield is not the screen's
    uint64_t Seed = 0;
};

struct BuildCandidate {
    int Root = 0;  // 1-based, in the order of AlternativeDesigns
    bool WindowRoot = false;
    ESeries Resistors = ESeries::E96;
    ESeries Capacitors = ESeries::E6;
    SnappedBuild Build;  // Build.Built.C1: the capacitor; Build.Isf follows from it
    ResponseShape Shape;
    BuildError Error;  // nominal, against the target
    double Yield = 0;
    int YieldTrials = 0;
};

struct BuildSearchResult {
    int Roots = 0;       // roots of the design equation
    int Buildable = 0;   // of them with every part positive and K >= 1
    int Candidates = 0;  // builds inside the space
    int Screened = 0;    // of them whose yield was estimated
    // The finalists, best first; those whose yields are tied with the best
    // within their 95 % intervals first of all, by the smaller worst error.
    std::vector<BuildCandidate> Best;
};

// Better: higher yield, then smaller nominal worst error.
bool BetterCandidate(const BuildCandidate& a, const BuildCandidate& b);

// The 95 % interval of a candidate's yield.
YieldInterval IntervalOf(const BuildCandidate& c);

BuildSearchResult SearchBuilds(const DesignRecord& d, const BuildSearchSpace& space,
                               const BuildSearchBudget& budget, const YieldEvaluator& yield);

}  // namespace velmora
