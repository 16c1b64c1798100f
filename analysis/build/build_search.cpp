#include "build_search.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "design/alternatives.h"
#include "design/design_target.h"
#include "model/portable_math.h"

namespace velmora {

namespace {

constexpr double kFaradsPerMillifarad = 1e-3;
constexpr double kEdge = 1e-9;  // series members computed at a range's ends still count

struct GainPair {
    double RStar = 0, Rkr = 0, Error = 0;
};

// Members of the series from lo to hi, ascending. A decade more on each
// side, since log10(1e-6) may round to just below -6 and lose 1 uF.
std::vector<double> SeriesMembers(ESeries series, double lo, double hi) {
    std::vector<double> values;
    if (!(lo > 0) || !(hi >= lo) || !std::isfinite(hi)) return values;
    const int digits = SeriesDigits(series);
    for (int e = DecimalExponent(lo) - 1; e <= DecimalExponent(hi) + 1; ++e)
        for (int mantissa : SeriesMantissas(series)) {
            const double v = SnapToSeries(mantissa * PowerOfTen(e - (digits - 1)), series);
            if (v >= lo * (1 - kEdge) && v <= hi * (1 + kEdge)) values.push_back(v);
        }
    return values;
}

// Every R* of the series near the given one, and the given one itself,
// with its nearest RK-R; the `count` of K nearest k, on a tie the R* nearer
// the given. The given R* stays a choice: a coarse series alone may have
// no pair near K (E12 misses cheb10's 2.0997 by 5 %, and Q2 follows K
// fifty-fold), while 2k with 2.2k hits it.
std::vector<GainPair> GainPairs(double k, double given, ESeries series, double span, int count) {
    std::vector<GainPair> pairs;
    std::vector<double> choices = SeriesMembers(series, given / span, given * span);
    if (given > 0 && std::isfinite(given) && !InSeries(given, series)) choices.push_back(given);
    for (double rstar : choices) {
        const double rkr = SnapToSeries(RkrFor(k, rstar), series);
        pairs.push_back({rstar, rkr, std::fabs(GainOf(rkr, rstar) / k - 1)});
    }
    std::stable_sort(pairs.begin(), pairs.end(), [&](const GainPair& a, const GainPair& b) {
        if (a.Error != b.Error) return a.Error < b.Error;
        return std::fabs(Log(a.RStar / given)) < std::fabs(Log(b.RStar / given));
    });
    if (pairs.size() > static_cast<size_t>(std::max(count, 0))) pairs.resize(count);
    return pairs;
}

DesignRecord AtRoot(const DesignRecord& d, const AlternativeDesign& a) {
    DesignRecord r = d;
    r.R1 = a.R1;
    r.R2 = r.R3 = a.R2;
    r.R4 = a.R4;
    r.K = a.K;
    return r;
}

bool ResistorsInside(const SnappedBuild& b, const ResistorRange& r) {
    return r.Holds(b.Built.R1) && r.Holds(b.Built.R2) && r.Holds(b.Built.R4) && r.Holds(b.RStar) &&
           r.HoldsRkr(b.RkrBuilt);
}

// The ladder's impedance level: where a decade image sits.
double Level(const FilterParts& p) {
    return Pow(p.R1 * p.R2 * p.R4, 1.0 / 3);
}

// A capacitor's digits without its decade, as an integer key.
long long Digits(double farads) {
    const double decade = PowerOfTen(static_cast<int>(std::floor(Log10(farads) + kEdge)));
    return std::llround(farads / decade * 1000);
}

// Every build of one root inside the space. Images a decade apart in
// impedance (22 nF with 3.9k, 2.2 nF with 39k) snap alike and so behave
// alike: of each, only the one nearest the design's own impedance stays,
// so that the columns shown differ in more than a power of ten.
void AddRootCandidates(const DesignRecord& d, const AlternativeDesign& a, int root,
                       const BuildSearchSpace& space, const ResponseShape& target,
                       std::vector<BuildCandidate>& out) {
    const DesignRecord r = AtRoot(d, a);
    const double level = Level(ScaledPartsAt(r, d.ISF));
    const auto distance = [&](const BuildCandidate& c) {
        return std::fabs(Log(Level(c.Build.Built) / level));
    };
    const std::vector<double> caps =
        SeriesMembers(space.CapacitorSeries, space.MinFarads, space.MaxFarads);
    for (ESeries series : space.ResistorSeries) {
        const std::vector<GainPair> gains =
            GainPairs(a.K, d.RStar, series, space.RStarSpan, space.GainPairs);
        std::map<std::pair<size_t, long long>, size_t> images;  // -> index in out
        for (double c : caps) {
            const double isf = d.CapMF * kFaradsPerMillifarad / (c * d.FSF);
            if (!(isf > 0) || !std::isfinite(isf)) continue;
            const SnappedBuild snapped = SnapDesign(r, {series, space.CapacitorSeries}, isf);
            for (size_t g = 0; g < gains.size(); ++g) {
                BuildCandidate cand;
                cand.Root = root;
                cand.WindowRoot = a.Shown;
                cand.Resistors = series;
                cand.Capacitors = space.CapacitorSeries;
                cand.Build = snapped;
                cand.Build.RStar = gains[g].RStar;
                cand.Build.RkrIdeal = RkrFor(a.K, gains[g].RStar);
                cand.Build.RkrBuilt = gains[g].Rkr;
                cand.Build.Built.K = 1 + gains[g].Rkr / gains[g].RStar;
                if (!ResistorsInside(cand.Build, space.Resistors)) continue;
                cand.Shape = ShapeOfParts(cand.Build.Built);
                cand.Error = CompareShapes(target, cand.Shape);
                if (!cand.Shape.Stable || !std::isfinite(cand.Error.Worst)) continue;
                const auto [at, fresh] = images.try_emplace({g, Digits(c)}, out.size());
                if (fresh)
                    out.push_back(cand);
                else if (distance(cand) < distance(out[at->second]))
                    out[at->second] = cand;
            }
        }
    }
}

void Rank(std::vector<BuildCandidate>& candidates, const YieldEvaluator& yield,
          const YieldRun& run) {
    for (BuildCandidate& c : candidates) {
        // A NaN would break the sort's ordering; no estimate is no yield.
        const double y = yield(c.Build, run);
        c.Yield = std::isnan(y) ? 0 : y;
        c.YieldTrials = run.Trials;
    }
    std::stable_sort(candidates.begin(), candidates.end(), BetterCandidate);
}

}  // namespace

YieldEvaluator MonteCarloYield(const ResponseShape& target, const YieldMask& mask,
                               const Tolerances& tol) {
    return [target, mask, tol](const SnappedBuild& b, const YieldRun& run) {
        const MonteCarloSetup setup{b.Built, b.RStar, b.RkrBuilt, tol, run.Trials, run.Seed};
        return CountYield(setup, target, mask).Yield;
    };
}

YieldInterval IntervalOf(const BuildCandidate& c) {
    return WilsonInterval(static_cast<int>(std::lround(c.Yield * c.YieldTrials)), c.YieldTrials);
}

bool BetterCandidate(const BuildCandidate& a, const BuildCandidate& b) {
    if (a.Yield != b.Yield) return a.Yield > b.Yield;
    return a.Error.Worst < b.Error.Worst;
}

BuildSearchResult SearchBuilds(const DesignRecord& d, const BuildSearchSpace& space,
                               const BuildSearchBudget& budget, const YieldEvaluator& yield) {
    BuildSearchResult result;
    const ResponseShape target = TargetShape(d);
    if (!target.Valid) return result;
    // 1. Every build the space allows, from every root that can be built.
    std::vector<BuildCandidate> candidates;
    const std::vector<AlternativeDesign> roots = AlternativeDesigns(d);
    result.Roots = static_cast<int>(roots.size());
    for (size_t k = 0; k < roots.size(); ++k) {
        if (!roots[k].Buildable) continue;
        ++result.Buildable;
        AddRootCandidates(d, roots[k], static_cast<int>(k) + 1, space, target, candidates);
    }
    result.Candidates = static_cast<int>(candidates.size());
    // 2. Within the budget, those nearest the target by nominal error.
    const size_t screened = std::min(candidates.size(), static_cast<size_t>(budget.MaxCandidates));
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const BuildCandidate& a, const BuildCandidate& b) {
                         return a.Error.Worst < b.Error.Worst;
                     });
    candidates.resize(screened);
    result.Screened = static_cast<int>(screened);
    // 3. A short run on all, a long one on the best: a build judged on the
    //    screen's own draws would be favoured by their luck.
    Rank(candidates, yield, {budget.ScreenTrials, budget.Seed});
    candidates.resize(std::min(candidates.size(), static_cast<size_t>(budget.Finalists)));
    Rank(candidates, yield, {budget.FinalTrials, budget.Seed + 1});
    // 4. Yields apart by less than their noise rank nothing: the builds
    //    tied with the best go first, the smallest nominal error first.
    if (!candidates.empty()) {
        const YieldInterval best = IntervalOf(candidates.front());
        const auto tied = std::stable_partition(
            candidates.begin(), candidates.end(),
            [&](const BuildCandidate& c) { return Tied(IntervalOf(c), best); });
        std::stable_sort(candidates.begin(), tied,
                         [](const BuildCandidate& a, const BuildCandidate& b) {
                             return a.Error.Worst < b.Error.Worst;
                         });
    }
    result.Best = std::move(candidates);
    return result;
}

}  // namespace velmora
