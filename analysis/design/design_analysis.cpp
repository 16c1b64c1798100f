#include "design_analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "diagnostics.h"
#include "model/portable_math.h"
#include "number_text.h"
#include "response/response.h"

namespace velmora {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double RelativeError(double realised, double target) {
    if (!std::isfinite(target) || target == 0) return kNaN;
    return (realised - target) / target;
}

PairCheck Check(const PolePair& target, const PolePair& realised) {
    return {target, realised, RelativeError(realised.F0Hz, target.F0Hz),
            RelativeError(realised.Q, target.Q)};
}

// Realised pole pairs in the order of the target pairs. Poles, not pairs,
// are matched: with real poles the same four roots group into pairs in
// several ways, and only the grouping of the target makes a comparison.
std::array<PolePair, 2> MatchPairs(const std::vector<std::complex<double>>& poles,
                                   const PolePair (&target)[2]) {
    const std::array<std::complex<double>, 2> t0 = PolesOfPair(target[0]),
                                              t1 = PolesOfPair(target[1]);
    const std::complex<double> wanted[4] = {t0[0], t0[1], t1[0], t1[1]};
    int order[4] = {0, 1, 2, 3}, best[4] = {0, 1, 2, 3};
    double bestCost = std::numeric_limits<double>::infinity();
    do {
        double cost = 0;
        for (int k = 0; k < 4; ++k) {
            const std::complex<double> p = poles[order[k]];
            cost += Abs(p - wanted[k]) / (Abs(p) + Abs(wanted[k]));
        }
        if (cost < bestCost) bestCost = cost, std::copy(order, order + 4, best);
    } while (std::next_permutation(order, order + 4));
    return {PairOfPoles(poles[best[0]], poles[best[1]]),
            PairOfPoles(poles[best[2]], poles[best[3]])};
}

RealisedCircuit Realise(const FilterParts& parts, const PolePair (&target)[2]) {
    RealisedCircuit r;
    r.Parts = parts;
    r.Analysis = AnalyseCircuit(parts);
    if (!r.Analysis.Valid) {
        for (int k = 0; k < 2; ++k)
            r.Pairs[k] = {target[k], {kNaN, kNaN}, kNaN, kNaN};
        return r;
    }
    const std::array<PolePair, 2> realised = MatchPairs(CircuitPoles(parts), target);
    for (int k = 0; k < 2; ++k)
        r.Pairs[k] = Check(target[k], realised[k]);
    return r;
}

}  // namespace

bool SearchFoundRoot(const DesignRecord& d) {
    // The search keeps a half with a sign change whenever one exists, so
    // once it has bracketed a root every later pass sees a change too. Its
    // products are formed in extended precision so that none underflows.
    const long double low = static_cast<long double>(d.EMid) * d.ELo;
    const long double high = static_cast<long double>(d.EHi) * d.EMid;
    return low <= 0 || high <= 0;
}

FilterParts ShownParts(const DesignRecord& d, const ResultTexts& texts) {
    FilterParts p;
    p.R1 = ParseNumber(texts[Result::OutR1]);
    p.R2 = ParseNumber(texts[Result::OutR2]);
    p.R3 = ParseNumber(texts[Result::OutR3]);
    p.R4 = ParseNumber(texts[Result::OutR4]);
    p.C1 = p.C2 = p.C3 = p.C4 = ParseNumber(texts[Result::OutC]) * 1e-6;
    // The gain that gets built is the one the gain network sets.
    const bool network = std::isfinite(d.RStar) && d.RStar != 0;
    p.K = network ? GainOf(ParseNumber(texts[Result::OutRkr]), d.RStar)
                  : ParseNumber(texts[Result::ProtoK]);
    return p;
}

FilterParts UnroundedParts(const DesignRecord& d) {
    FilterParts p;
    p.R1 = 1000 * d.R1 * d.ISF;
    p.R2 = 1000 * d.R2 * d.ISF;
    p.R3 = 1000 * d.R3 * d.ISF;
    p.R4 = 1000 * d.R4 * d.ISF;
    p.C1 = p.C2 = p.C3 = p.C4 = 1000 * d.CapMF / (d.ISF * d.FSF) * 1e-6;
    p.K = d.K;
    return p;
}

void ShowBoard(DesignAnalysis& a, const FilterParts& parts, double rstar, double rkr) {
    a.Shown = Realise(parts, a.Target);
    a.ShownName = "the board (standard values, VR1 set)";
    a.RStar = rstar;
    a.RKRShown = rkr;
}

DesignAnalysis AnalyseDesign(const DesignRecord& design) {
    DesignAnalysis a;
    // 1. The texts on screen.
    a.Texts = ResultTextsOf(design);

    // 2. The target: entered pole pairs moved to FSF, with the design's gain.
    a.Target[0] = {design.F1 * design.FSF, 1 / design.AF1};
    a.Target[1] = {design.F2 * design.FSF, 1 / design.AF2};
    a.TargetFigures = AnalysePolePairs(a.Target, design.K);

    // 3. Both realisations against it.
    a.Shown = Realise(ShownParts(design, a.Texts), a.Target);
    a.Unrounded = Realise(UnroundedParts(design), a.Target);
    a.RStar = design.RStar;
    a.RKRShown = ParseNumber(a.Texts[Result::OutRkr]);
    a.RootFound = SearchFoundRoot(design);

    // 4. What is wrong, and what to change.
    a.Diagnostics = DiagnoseDesign(design, a);
    return a;
}

}  // namespace velmora
