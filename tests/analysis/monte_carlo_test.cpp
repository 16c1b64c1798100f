#include "build/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "build/standard_values.h"
#include "design/design_target.h"
#include "design/sensitivity.h"
#include "test_designs.h"

using namespace velmora;

namespace {

MonteCarloSetup TrialSetup(const DesignRecord& d, Tolerances tol, int trials, uint64_t seed) {
    return {ScaledParts(d), d.RStar, velmora::RkrOhms(d), tol, trials, seed};
}

TEST(MonteCarlo, SameSeedSameTrialsOtherSeedOtherTrials) {
    const DesignRecord d = PresetDesign(ID_STD_CHEB05);
    const ResponseShape target = TargetShape(d);
    for (Distribution shape : {Distribution::Uniform, Distribution::Gaussian}) {
        const MonteCarloResult a =
            RunMonteCarlo(TrialSetup(d, {0.01, 0.05, shape}, 500, 7), target, {});
        const MonteCarloResult b =
            RunMonteCarlo(TrialSetup(d, {0.01, 0.05, shape}, 500, 7), target, {});
        const MonteCarloResult c =
            RunMonteCarlo(TrialSetup(d, {0.01, 0.05, shape}, 500, 8), target, {});
        EXPECT_EQ(a.Minus3dBSamples, b.Minus3dBSamples);
        EXPECT_EQ(a.QSamples[1], b.QSamples[1]);
        EXPECT_NE(a.Minus3dBSamples, c.Minus3dBSamples);
    }
}

// The draws themselves; that a seed fixes them shows in the trials above.
TEST(MonteCarlo, DrawsHaveTheirRangeAndMoments) {
    RandomState r = SeedRandom(42);
    const int n = 200000;
    double su = 0, suu = 0, sg = 0, sgg = 0, low = 1, high = 0;
    for (int k = 0; k < n; ++k) {
        const double u = NextUniform(r), g = NextGaussian(r);
        low = std::min(low, u);
        high = std::max(high, u);
        su += u;
        suu += u * u;
        sg += g;
        sgg += g * g;
    }
    EXPECT_GE(low, 0);
    EXPECT_LT(high, 1);
    EXPECT_NEAR(su / n, 0.5, 0.003);
    EXPECT_NEAR(suu / n - 0.25, 1.0 / 12, 0.002);
    EXPECT_NEAR(sg / n, 0, 0.01);
    EXPECT_NEAR(sgg / n, 1, 0.01);
}

TEST(MonteCarlo, ZeroToleranceReproducesTheDesign) {
    const DesignRecord d = PresetDesign(ID_STD_BESSEL);
    const ResponseShape target = TargetShape(d);
    const MonteCarloResult r = RunMonteCarlo(TrialSetup(d, {0, 0, Distribution::Uniform}, 50, 1),
                                             target, {0.001, 0.001, 0.001, 0.01});
    EXPECT_EQ(r.Passed, 50);
    EXPECT_NEAR(r.Minus3dB.StdDev, 0, 1e-9);
    EXPECT_NEAR(r.Minus3dB.Mean / target.Minus3dBHz, 1, 1e-5);  // the search's tolerance
    EXPECT_DOUBLE_EQ(r.Yield, 1);
}

// Uniform resistor draws of +-1 % move f0 by at most the sum of |S| times
// 1 % (to first order): every trial stays inside that bound.
TEST(MonteCarlo, UniformDrawsStayWithinTheSensitivityBound) {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    const ResponseShape target = TargetShape(d);
    const PoleSensitivities s = SensitivitiesOf(ScaledParts(d));
    const MonteCarloResult r =
        RunMonteCarlo(TrialSetup(d, {0.01, 0, Distribution::Uniform}, 2000, 3), target, {});
    for (int i = 0; i < 2; ++i) {
        double bound = 0;
        for (int part = kPartR1; part <= kPartR4; ++part)
            bound += std::fabs(s.F0[i][part]);
        bound += 2 * std::fabs(s.F0[i][kPartK]);  // K = 1 + RK-R / R*: two resistors
        bound *= 0.01 * 1.05;                     // first order, 5 % for the curvature
        EXPECT_LE(r.F0[i].Max / target.Pairs[i].F0Hz - 1, bound) << i;
        EXPECT_GE(r.F0[i].Min / target.Pairs[i].F0Hz - 1, -bound) << i;
    }
}

TEST(MonteCarlo, YieldFollowsTheMask) {
    const DesignRecord d = PresetDesign(ID_STD_BESSEL);
    const ResponseShape target = TargetShape(d);
    const MonteCarloSetup m = TrialSetup(d, {0.01, 0.02, Distribution::Uniform}, 1000, 5);
    struct Row {
        YieldMask Mask;
        double Low, High;
    };
    const Row rows[] = {
        {{0.5, 0, 0, 0}, 1, 1},        // -3 dB within 50 %: every build
        {{1e-9, 0, 0, 0}, 0, 0},       // within 1e-9: none
        {{0.02, 0, 0, 0}, 0.05, 0.5},  // K alone moves f0 four times as much: some
        {{0, 0, 0, 0}, 1, 1},          // no mask: all pass
    };
    for (const Row& row : rows) {
        const MonteCarloResult r = RunMonteCarlo(m, target, row.Mask);
        EXPECT_GE(r.Yield, row.Low) << row.Mask.Minus3dB;
        EXPECT_LE(r.Yield, row.High) << row.Mask.Minus3dB;
    }
}

TEST(MonteCarlo, SpreadOfSamples) {
    const Spread s = SpreadOf({1, 2, 3, 4, 5});
    EXPECT_DOUBLE_EQ(s.Mean, 3);
    EXPECT_DOUBLE_EQ(s.StdDev, std::sqrt(2.5));
    EXPECT_DOUBLE_EQ(s.Min, 1);
    EXPECT_DOUBLE_EQ(s.Max, 5);
    EXPECT_DOUBLE_EQ(SpreadOf({}).Mean, 0);
    EXPECT_DOUBLE_EQ(SpreadOf({7}).StdDev, 0);
}

}  // namespace
