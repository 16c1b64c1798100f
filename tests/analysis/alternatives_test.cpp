#include "design/alternatives.h"

#include <gtest/gtest.h>

#include <cmath>

#include "design/design_target.h"
#include "response/response.h"
#include "test_designs.h"

using namespace velmora;

namespace {

struct Row {
    double AF1, F1, AF2, F2;
    size_t Roots;      // roots meeting the design equations
    size_t Buildable;  // of which every part is positive and K >= 1
    int ShownIndex;    // index of the window's root among all
    bool ShownBuildable;
};

// Widely separated, heavily damped pairs give several roots; the bisection
// finds one of them, and it is not always a buildable one.
TEST(Alternatives, EveryRootIsFoundAndTheWindowsOneIsMarked) {
    const Row rows[] = {
        {1.847759, 1, .765367, 1, 1, 1, 0, true},  // Butterworth: one root
        {.179248, .950309, .928942, .442696, 1, 1, 0, true},
        {1.75, 1, 1.75, 0.1, 3, 3, 0, true},
        {1.85, 1, 1.85, 8.67362, 3, 3, 2, true},
        {2.15, 1, 2.65, 0.1, 5, 3, 4, false},  // the window shows K = 0.18
        {2.05, 1, 2.85, 0.1, 7, 4, 6, false},
        {1.878, .05023, 2.303, 15.98, 5, 4, 2, true},  // the last two 0.17 % apart in R2
    };
    for (const Row& row : rows) {
        const DesignRecord d = DesignOf(row.AF1, row.F1, row.AF2, row.F2);
        const std::vector<AlternativeDesign> all = AlternativeDesigns(d);
        ASSERT_EQ(all.size(), row.Roots) << row.AF1 << " " << row.AF2 << " " << row.F2;
        size_t buildable = 0;
        int shown = -1;
        for (size_t k = 0; k < all.size(); ++k) {
            buildable += all[k].Buildable;
            if (all[k].Shown) {
                EXPECT_EQ(shown, -1) << "one root only is the window's";
                shown = static_cast<int>(k);
            }
            if (k > 0) {
                EXPECT_GT(all[k].X, all[k - 1].X);
            }
        }
        EXPECT_EQ(buildable, row.Buildable);
        EXPECT_EQ(shown, row.ShownIndex);
        EXPECT_EQ(all[static_cast<size_t>(shown)].Buildable, row.ShownBuildable);
        EXPECT_NEAR(all[static_cast<size_t>(shown)].R2 / d.R2, 1, 1e-5);
    }
}

// Each root, built and solved by nodal analysis, realises the pole pairs
// that were asked for: they are all designs, not artefacts of the scan. The
// last design peaks 12 dB near 1 kHz, past its -3 dB point at 207 Hz.
TEST(Alternatives, EveryRootRealisesTheTarget) {
    for (const DesignRecord& d : {DesignOf(2.05, 1, 2.85, 0.1),
                                  DesignOf(1.878, .05023, 2.303, 15.98), DesignOf(2, .3, .02, 1)}) {
        const ResponseShape target = TargetShape(d);
        for (const AlternativeDesign& a : AlternativeDesigns(d)) {
            const CircuitAnalysis c = AnalyseCircuit(a.Scaled);
            ASSERT_TRUE(c.Valid) << a.R2;
            for (int i = 0; i < 2; ++i) {
                EXPECT_NEAR(c.Pairs[i].F0Hz / target.Pairs[i].F0Hz, 1, 1e-7) << a.R2;
                EXPECT_NEAR(c.Pairs[i].Q / target.Pairs[i].Q, 1, 1e-7) << a.R2;
            }
            EXPECT_NEAR(c.Minus3dBHz / target.Minus3dBHz, 1, 1e-6) << a.R2;
            EXPECT_NEAR(c.PeakingDb, target.PeakingDb, 5e-5) << a.R2;
            EXPECT_TRUE(a.Sensitivity.Valid);
        }
    }
}

TEST(Alternatives, EmptyBoxesHaveNoDesign) {
    EXPECT_TRUE(AlternativeDesigns(DesignOf(0, 0, 0, 0)).empty());
}

}  // namespace
