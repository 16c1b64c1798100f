// Every root of the design equations, found however close, each one a
// design that realises the target when solved by nodal analysis. Which
// roots can be built and which one the window shows is approved
// (velmora-calc --alternatives).
#include "design/alternatives.h"

#include <gtest/gtest.h>

#include <cmath>

#include "design/design_target.h"
#include "designs.h"
#include "response/response.h"

using namespace velmora;

namespace {

TEST(Alternatives, EveryRootIsFoundAndRealisesTheTarget) {
    const struct {
        double AF1, F1, AF2, F2;
        size_t Roots;
    } rows[] = {
        {1.847759, 1, .765367, 1, 1},  // Butterworth
        {1.75, 1, 1.75, 0.1, 3},
        {1.85, 1, 1.85, 8.67362, 3},
        {2.05, 1, 2.85, 0.1, 7},
        {1.878, .05023, 2.303, 15.98, 5},  // the last two 0.17 % apart in R2
        {2, .3, .02, 1, 1},                // peaks 12 dB near 1 kHz, past its -3 dB point at 207 Hz
        {0, 0, 0, 0, 0},                   // empty boxes
    };
    for (const auto& row : rows) {
        const DesignRecord d = DesignOf(row.AF1, row.F1, row.AF2, row.F2);
        const ResponseShape target = TargetShape(d);
        const std::vector<AlternativeDesign> all = AlternativeDesigns(d);
        SCOPED_TRACE(testing::Message() << row.AF1 << " " << row.F1 << " " << row.AF2);
        ASSERT_EQ(all.size(), row.Roots);
        for (size_t k = 0; k < all.size(); ++k) {
            const CircuitAnalysis c = AnalyseCircuit(all[k].Scaled);
            ASSERT_TRUE(c.Valid && all[k].Sensitivity.Valid) << all[k].R2;
            EXPECT_TRUE(k == 0 || all[k].X > all[k - 1].X);
            // The pairs in the order that matches them best: pairs of one Q
            // or one f0 come in either order.
            const auto apart = [&](int i, int j) {
                return std::fabs(std::log(c.Pairs[i].F0Hz / target.Pairs[j].F0Hz)) +
                       std::fabs(std::log(c.Pairs[i].Q / target.Pairs[j].Q));
            };
            const int swap = apart(0, 1) + apart(1, 0) < apart(0, 0) + apart(1, 1);
            for (int i = 0; i < 2; ++i) {
                EXPECT_NEAR(c.Pairs[i].F0Hz / target.Pairs[i ^ swap].F0Hz, 1, 1e-7) << all[k].R2;
                EXPECT_NEAR(c.Pairs[i].Q / target.Pairs[i ^ swap].Q, 1, 1e-7) << all[k].R2;
            }
            EXPECT_NEAR(c.Minus3dBHz / target.Minus3dBHz, 1, 1e-6) << all[k].R2;
            EXPECT_NEAR(c.PeakingDb, target.PeakingDb, 5e-5) << all[k].R2;
        }
        EXPECT_EQ(std::count_if(all.begin(), all.end(), [](auto& a) { return a.Shown; }),
                  all.empty() ? 0 : 1);
    }
}

}  // namespace
