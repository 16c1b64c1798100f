// Compensated parts checked by the nodal solution, not by the polynomial
// the solver used: the stage gain of the single-pole op-amp put in at the
// target's own poles must make the transfer function blow up there.
#include "build/compensation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "build/opamp_gbw.h"
#include "build/standard_values.h"
#include "design/design_target.h"
#include "designs.h"

using namespace velmora;

namespace {

// |H| at each target pole against |H(0)|: about 1 / (relative pole error).
double WeakestBlowUp(const FilterParts& p, const ResponseShape& target, double gbwHz) {
    const double dc = std::abs(CircuitTransfer(p, 0, SinglePoleStageGain(p.K, gbwHz, 0)));
    double weakest = INFINITY;
    for (const PolePair& pair : target.Pairs)
        for (const std::complex<double> s : PolesOfPair(pair))
            weakest = std::fmin(
                weakest, std::abs(CircuitTransfer(p, s, SinglePoleStageGain(p.K, gbwHz, s))) / dc);
    return weakest;
}

// Just above the least GBW, well above it and at a common 1 MHz; just
// below it no buildable solution, and well above it the uncompensated
// parts are still more than 1 % off, so compensation is worth a slower part.
TEST(Compensation, TheNodalCircuitHasTheTargetPolesDownToTheLeastGbw) {
    for (int preset : kFilledPresets) {
        const DesignRecord d = PresetDesign(preset);
        const FilterParts ideal = ScaledParts(d);
        const ResponseShape target = TargetShape(d);
        const CompensationLimit least = LeastCompensableGbw(ideal, target);
        ASSERT_TRUE(least.Found) << preset;
        for (double gbw : {1.005 * least.GbwHz, 5 * least.GbwHz, 1e6}) {
            SCOPED_TRACE(testing::Message() << preset << " GBW " << gbw);
            const Compensation c = Compensate(ideal, target, gbw);
            ASSERT_TRUE(c.Solved);
            EXPECT_GT(WeakestBlowUp(c.Parts, target, gbw), 1e6);
            EXPECT_LT(WeakestBlowUp(ideal, target, gbw), 1e5) << "uncompensated: not there";
            EXPECT_EQ(c.Parts.R2, c.Parts.R3);
            EXPECT_EQ(c.Parts.C1, ideal.C1);
            EXPECT_GE(c.Parts.K, 1);
            EXPECT_GT(c.Shape.ExtraPoleHz, 0);
        }
        EXPECT_FALSE(Compensate(ideal, target, least.GbwHz / 1.01).Solved) << preset;
        EXPECT_GT(CompareShapes(target, ShapeWithGbw(ideal, 5 * least.GbwHz)).Worst, 0.01);
    }
}

}  // namespace
