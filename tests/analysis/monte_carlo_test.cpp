// Monte Carlo statistics against closed-form expectations: the moments of
// the draws, a first-order bound from the sensitivities, and the yield at
// the extremes of a mask.
#include "build/monte_carlo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "design/design_target.h"
#include "design/sensitivity.h"
#include "designs.h"
#include "model/circuit_polynomial.h"
#include "response/quartic_shape.h"

using namespace velmora;

namespace {

MonteCarloSetup TrialSetup(const DesignRecord& d, Tolerances tol, int trials, uint64_t seed) {
    return {ScaledParts(d), d.RStar, velmora::RkrOhms(d), tol, trials, seed};
}

TEST(MonteCarlo, DrawsHaveTheirRangeAndMoments) {
    RandomState r = SeedRandom(42);
    const int n = 200000;
    double su = 0, suu = 0, sg = 0, sgg = 0, low = 1, high = 0;
    for (int k = 0; k < n; ++k) {
        const double u = NextUniform(r), g = NextGaussian(r);
        low = std::min(low, u), high = std::max(high, u);
        su += u, suu += u * u, sg += g, sgg += g * g;
    }
    EXPECT_GE(low, 0);
    EXPECT_LT(high, 1);
    EXPECT_NEAR(su / n, 0.5, 0.003);
    EXPECT_NEAR(suu / n - 0.25, 1.0 / 12, 0.002);
    EXPECT_NEAR(sg / n, 0, 0.01);
    EXPECT_NEAR(sgg / n, 1, 0.01);
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
        double bound = 2 * std::fabs(s.F0[i][kPartK]);  // K = 1 + RK-R / R*: two resistors
        for (int part = kPartR1; part <= kPartR4; ++part)
            bound += std::fabs(s.F0[i][part]);
        bound *= 0.01 * 1.05;  // first order, 5 % for the curvature
        EXPECT_LE(r.F0[i].Max / target.Pairs[i].F0Hz - 1, bound) << i;
        EXPECT_GE(r.F0[i].Min / target.Pairs[i].F0Hz - 1, -bound) << i;
    }
}

TEST(MonteCarlo, YieldFollowsTheMask) {
    const DesignRecord d = PresetDesign(ID_STD_BESSEL);
    const ResponseShape target = TargetShape(d);
    const struct {
        Tolerances Tol;
        YieldMask Mask;
        double Low, High, Minus3dBSpread;
    } rows[] = {
        // No spread: every trial is the design, to the search's tolerance.
        {{0, 0, Distribution::Uniform}, {0.001, 0.001, 0.001, 0.01}, 1, 1, 1e-9},
        {{0.01, 0.02, Distribution::Uniform}, {0.5, 0, 0, 0}, 1, 1, 1},   // every build
        {{0.01, 0.02, Distribution::Uniform}, {1e-9, 0, 0, 0}, 0, 0, 1},  // none
        // K alone moves f0 four times as much as the 1 % parts: some.
        {{0.01, 0.02, Distribution::Uniform}, {0.02, 0, 0, 0}, 0.05, 0.5, 1},
        {{0.01, 0.02, Distribution::Gaussian}, {0, 0, 0, 0}, 1, 1, 1},  // no mask: all pass
    };
    for (const auto& row : rows) {
        const MonteCarloResult r = RunMonteCarlo(TrialSetup(d, row.Tol, 1000, 5), target, row.Mask);
        SCOPED_TRACE(testing::Message() << row.Tol.Resistor << " " << row.Mask.Minus3dB);
        EXPECT_GE(r.Yield, row.Low);
        EXPECT_LE(r.Yield, row.High);
        EXPECT_LT(r.Minus3dB.StdDev / r.Minus3dB.Mean, row.Minus3dBSpread);
        EXPECT_NEAR(r.Minus3dB.Mean / target.Minus3dBHz, 1, row.Tol.Resistor > 0 ? 0.01 : 1e-5);
    }
}

// The shortcut a trial takes against the general root finder, from builds
// near each preset to builds far off (real pole pairs, unstable ones).
TEST(MonteCarlo, QuarticShapeMatchesTheGeneralOne) {
    for (int preset : kFilledPresets) {
        const FilterParts nominal = ScaledParts(PresetDesign(preset));
        const QuarticShaper shaper(
            ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(nominal), nominal.K)));
        std::mt19937_64 random(static_cast<uint64_t>(preset));
        for (double spread : {0.02, 0.1, 0.4}) {
            std::uniform_real_distribution<double> factor(1 - spread, 1 + spread);
            for (int trial = 0; trial < 300; ++trial) {
                CircuitElements e = ElementsOf(nominal);
                for (int k = 0; k < 4; ++k)
                    e.G[k] *= factor(random), e.C[k] *= factor(random);
                e.K *= factor(random);
                const Polynomial d = IdealDenominator(CircuitPolynomialOf(e), e.K);
                const double coefficients[5] = {d[0], d[1], d[2], d[3], d[4]};
                const ResponseShape fast = shaper.Shape(coefficients, ShapeParts::All);
                const ResponseShape slow = ShapeOfDenominator(d);
                SCOPED_TRACE(testing::Message() << preset << " " << spread << " " << trial);
                ASSERT_EQ(fast.Valid, slow.Valid);
                ASSERT_EQ(fast.Stable, slow.Stable);
                if (!slow.Valid || !slow.Stable) continue;
                for (int i = 0; i < 2; ++i) {
                    EXPECT_NEAR(fast.Pairs[i].F0Hz / slow.Pairs[i].F0Hz, 1, 1e-12);
                    EXPECT_NEAR(fast.Pairs[i].Q / slow.Pairs[i].Q, 1, 1e-9);
                }
                EXPECT_NEAR(fast.Minus3dBHz / slow.Minus3dBHz, 1, 1e-12);
                EXPECT_NEAR(fast.PeakingDb, slow.PeakingDb, 1e-6);
            }
        }
    }
}

// A seed means one sequence of builds, drawn in the documented order: trials
// on both sides of a block boundary (where another thread may take over) are
// the builds a plain sequential draw gives; and the yield alone counts what
// the full run counts.
TEST(MonteCarlo, SameSeedSameBuildsAcrossBlocks) {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    const ResponseShape target = TargetShape(d);
    for (Distribution shape : {Distribution::Uniform, Distribution::Gaussian}) {
        const MonteCarloSetup setup = TrialSetup(d, {0.01, 0.01, shape}, 20000, 8);
        const MonteCarloResult run = RunMonteCarlo(setup, target, {});
        ASSERT_EQ(run.Failed, 0);  // so sample k is trial k
        RandomState random = SeedRandom(setup.Seed);
        const auto draw = [&](double tol) {
            return shape == Distribution::Uniform ? 1 + tol * (2 * NextUniform(random) - 1)
                                                  : 1 + tol / 3 * NextGaussian(random);
        };
        for (size_t trial = 0; trial <= 16385; ++trial) {
            FilterParts p = setup.Nominal;
            for (double* part : {&p.R1, &p.R2, &p.R3, &p.R4})
                *part *= draw(0.01);
            for (double* part : {&p.C1, &p.C2, &p.C3, &p.C4})
                *part *= draw(0.01);
            const double rstar = setup.RStar * draw(0.01);
            p.K = 1 + setup.Rkr * draw(0.01) / rstar;
            if (trial % 8192 > 1 && trial % 8192 < 8191) continue;
            const ResponseShape s =
                ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(p), p.K));
            EXPECT_NEAR(run.QSamples[1].Values()[trial] / s.Pairs[1].Q, 1, 1e-12) << trial;
        }
        for (const YieldMask mask : {YieldMask{0.003, 0, 0, 0}, YieldMask{0, 0.002, 0.01, 0},
                                     YieldMask{0, 0, 0, 0.05}, YieldMask{}}) {
            const MonteCarloResult full = RunMonteCarlo(setup, target, mask);
            const YieldCount count = CountYield(setup, target, mask);
            EXPECT_EQ(count.Passed, full.Passed);
            EXPECT_EQ(count.Failed, full.Failed);
            EXPECT_EQ(count.Yield, full.Yield);
        }
    }
}

}  // namespace

namespace {

// A pole pair of very high Q: |D|^2 at its least is lost in the rounding of
// the terms; the peaking stays a finite figure near 20 log10 Q, never an
// infinity or NaN that would poison a run's mean.
TEST(MonteCarlo, PeakingOfAVeryHighQStaysFinite) {
    for (double q : {1e3, 1e6, 1e8, 1e10, 1e13}) {
        // (s^2 + s / q + 1) (s^2 + 2 s + 1e4), lowest power first.
        const double d[5] = {1e4, 2 + 1e4 / q, 1e4 + 2 / q + 1, 2 + 1 / q, 1};
        const ResponseShape slow = ShapeOfDenominator(Polynomial(d, d + 5));
        for (const ResponseShape& s : {slow, QuarticShaper(slow).Shape(d, ShapeParts::All)}) {
            ASSERT_TRUE(s.Valid && s.Stable) << q;
            EXPECT_TRUE(std::isfinite(s.PeakingDb)) << q;
            EXPECT_GE(s.PeakingDb, std::min(20 * std::log10(q), 140.0) - 0.1) << q;
            EXPECT_LE(s.PeakingDb, 20 * std::log10(q) + 0.1) << q;
        }
    }
}

}  // namespace
