// The single-pole op-amp folded into the response polynomial against the
// nodal solution, and the minimum GBW against the limit it stands for.
#include "build/opamp_gbw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "build/standard_values.h"
#include "design/design_target.h"
#include "designs.h"

using namespace velmora;

namespace {

// The polynomial with the op-amp folded in against the nodal solution with
// the same stage gain put in at each frequency.
TEST(OpAmpGbw, ResponseMatchesTheNodalSolutionWithTheStageGain) {
    const FilterParts parts = ScaledParts(PresetDesign(ID_STD_CHEB05));
    for (double gbw : {1e5, 1e6, 1e7}) {
        for (double hz : {10.0, 300.0, 597.0, 1031.0, 5000.0, 50000.0}) {
            const std::complex<double> s(0, 2 * std::numbers::pi * hz);
            const std::complex<double> nodal =
                CircuitTransfer(parts, s, SinglePoleStageGain(parts.K, gbw, s));
            const std::complex<double> mine = ResponseWithGbw(parts, gbw, hz);
            EXPECT_NEAR(std::abs(mine / nodal - 1.0), 0, 1e-9) << gbw << " " << hz;
        }
    }
}

TEST(OpAmpGbw, MinimumGbwIsTheEdgeOfTheOnePercentLimit) {
    for (int preset : {ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB30}) {
        const FilterParts parts = ScaledParts(PresetDesign(preset));
        const ResponseShape ideal = ShapeOfParts(parts);
        const GbwLimit g = MinimumGbw(parts, 0.01);
        ASSERT_TRUE(g.Found) << preset;
        const auto worst = [&](double gbw) {
            const ResponseShape s = ShapeWithGbw(parts, gbw);
            double w = 0;
            for (int i = 0; i < 2; ++i)
                w = std::fmax(w, std::fmax(std::fabs(s.Pairs[i].F0Hz / ideal.Pairs[i].F0Hz - 1),
                                           std::fabs(s.Pairs[i].Q / ideal.Pairs[i].Q - 1)));
            return w;
        };
        EXPECT_LE(worst(g.GbwHz), 0.01) << preset;
        EXPECT_GT(worst(g.GbwHz * 0.99), 0.01) << preset;
        EXPECT_GT(g.GbwHz, 1000.0);  // far above the 1 kHz filter
    }
}

}  // namespace
