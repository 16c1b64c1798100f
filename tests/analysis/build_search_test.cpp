// The build search: every finalist is a board one can order, the evaluator
// alone decides the order, the budget holds, and with the real Monte Carlo
// yield the search leaves the window's sensitive root for a calm one.
#include "build/build_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "design/design_target.h"
#include "designs.h"

using namespace velmora;

namespace {

constexpr BuildSearchBudget kSmall{60, 50, 4, 300, 17};

TEST(BuildSearch, FinalistsAreOrderableBoardsRankedWithinTheBudget) {
    struct Case {
        DesignRecord Design;
        std::vector<ESeries> Series;
        ESeries Caps;
    };
    const Case cases[] = {
        {PresetDesign(ID_STD_BUTTERWORTH), {ESeries::E96}, ESeries::E6},
        {PresetDesign(ID_STD_CHEB10, 2500), {ESeries::E12}, ESeries::E12},
        {DesignOf(2.15, 1, 2.65, 0.1), {ESeries::E48, ESeries::E96}, ESeries::E6}};
    for (const Case& c : cases) {
        BuildSearchSpace space;
        space.ResistorSeries = c.Series;
        space.CapacitorSeries = c.Caps;
        int calls = 0;
        // A yield that knows only K: the order must follow it, then the error.
        const YieldEvaluator byGain = [&](const SnappedBuild& b, const YieldRun& run) {
            ++calls;
            EXPECT_EQ(run.Seed, kSmall.Seed + (run.Trials == kSmall.FinalTrials));
            return std::round(b.Built.K * 4) / 8;
        };
        const BuildSearchResult r = SearchBuilds(c.Design, space, kSmall, byGain);
        ASSERT_FALSE(r.Best.empty());
        EXPECT_LE(calls, kSmall.MaxCandidates + kSmall.Finalists);
        EXPECT_EQ(r.Screened, std::min(r.Candidates, kSmall.MaxCandidates));
        const ResponseShape target = TargetShape(c.Design);
        for (size_t k = 0; k < r.Best.size(); ++k) {
            const BuildCandidate& b = r.Best[k];
            const FilterParts& p = b.Build.Built;
            if (k > 0) {
                EXPECT_FALSE(BetterCandidate(b, r.Best[k - 1]));
            }
            EXPECT_EQ(b.YieldTrials, kSmall.FinalTrials);
            for (double ohms : {p.R1, p.R2, p.R4, b.Build.RStar, b.Build.RkrBuilt}) {
                EXPECT_TRUE(InSeries(ohms, b.Resistors) || ohms == c.Design.RStar) << ohms;
                EXPECT_TRUE(ohms >= 100 && ohms <= 1e6) << ohms;
            }
            EXPECT_TRUE(InSeries(p.C1, c.Caps) && p.C1 >= 1e-9 && p.C1 <= 1e-6) << p.C1;
            EXPECT_TRUE(p.C1 == p.C4 && p.R2 == p.R3);
            EXPECT_NEAR(p.C1 * b.Build.Isf * c.Design.FSF, c.Design.CapMF * 1e-3,
                        c.Design.CapMF * 1e-15);
            EXPECT_DOUBLE_EQ(p.K, 1 + b.Build.RkrBuilt / b.Build.RStar);
            EXPECT_DOUBLE_EQ(b.Error.Worst, CompareShapes(target, ShapeOfParts(p)).Worst);
        }
    }
}

// Root 3 (the window's) has a worst sensitivity of 0.92, root 1 of 16:
// under a 2 % limit on f0 the calm root wins whatever its nominal error.
TEST(BuildSearch, MonteCarloYieldPrefersTheLeastSensitiveRoot) {
    const DesignRecord d = DesignOf(5, .5, 3, 1);
    const YieldMask mask{0, 0.02, 0.02, 0};
    const BuildSearchResult r = SearchBuilds(
        d, {}, kSmall, MonteCarloYield(TargetShape(d), mask, {0.01, 0.01, Distribution::Uniform}));
    ASSERT_EQ(r.Buildable, 2);
    ASSERT_FALSE(r.Best.empty());
    EXPECT_EQ(r.Best[0].Root, 3);
    EXPECT_GT(r.Best[0].Yield, 0.5);
}

}  // namespace
