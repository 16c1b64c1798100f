// Sensitivities against finite differences of the nodal analysis (an
// independent model and an independent derivative), and the closed-form
// shape used per Monte Carlo trial against that same analysis.
#include "design/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "build/standard_values.h"
#include "design/alternatives.h"
#include "design/design_target.h"
#include "designs.h"
#include "model/circuit.h"
#include "response/response.h"

using namespace velmora;

namespace {

// The relative change of each pair's f0 and Q for a relative step h of one part.
void FiniteDifference(const FilterParts& parts, int part, double out[2][2]) {
    const double h = 1e-5;
    FilterParts up = parts, down = parts;
    PartValue(up, part) *= 1 + h;
    PartValue(down, part) *= 1 - h;
    const CircuitAnalysis a = AnalyseCircuit(up), b = AnalyseCircuit(down),
                          c = AnalyseCircuit(parts);
    for (int i = 0; i < 2; ++i) {
        out[i][0] = (a.Pairs[i].F0Hz - b.Pairs[i].F0Hz) / (2 * h * c.Pairs[i].F0Hz);
        out[i][1] = (a.Pairs[i].Q - b.Pairs[i].Q) / (2 * h * c.Pairs[i].Q);
    }
}

// The presets as the window builds them, and a double real pole (AF 2) at
// its exact root, where the two poles of a pair meet.
TEST(Sensitivity, AgainstFiniteDifferencesAndTheNodalAnalysis) {
    std::vector<std::pair<DesignRecord, FilterParts>> designs;
    for (int preset : kFilledPresets)
        designs.emplace_back(PresetDesign(preset), ScaledParts(PresetDesign(preset)));
    const DesignRecord meeting = DesignOf(2, .5, .7, 1);
    designs.emplace_back(meeting, AlternativeDesigns(meeting).at(0).Scaled);
    for (const auto& [d, parts] : designs) {
        SCOPED_TRACE(testing::Message() << d.AF1 << " " << d.F1 << " " << d.AF2 << " " << d.F2);
        const PoleSensitivities s = SensitivitiesOf(parts);
        ASSERT_TRUE(s.Valid);
        for (int part = 0; part < kPartCount; ++part) {
            double fd[2][2];
            FiniteDifference(parts, part, fd);
            for (int i = 0; i < 2; ++i) {
                EXPECT_NEAR(s.F0[i][part], fd[i][0], 1e-5 * (1 + std::fabs(fd[i][0])))
                    << "f0 " << i << " to " << PartName(part);
                EXPECT_NEAR(s.Q[i][part], fd[i][1], 1e-5 * (1 + std::fabs(fd[i][1])))
                    << "Q " << i << " to " << PartName(part);
            }
        }
        const ResponseShape fast = ShapeOfParts(parts);
        const CircuitAnalysis nodal = AnalyseCircuit(parts);
        ASSERT_TRUE(fast.Valid && fast.Stable && nodal.Valid);
        for (int i = 0; i < 2; ++i) {
            EXPECT_NEAR(fast.Pairs[i].F0Hz / nodal.Pairs[i].F0Hz, 1, 1e-9);
            EXPECT_NEAR(fast.Pairs[i].Q / nodal.Pairs[i].Q, 1, 1e-9);
        }
        EXPECT_NEAR(fast.Minus3dBHz / nodal.Minus3dBHz, 1, 1e-6);
        EXPECT_NEAR(fast.PeakingDb, nodal.PeakingDb, 5e-5);  // the nodal peak is on a grid
        // The built design against its target, the pole pairs typed in.
        const BuildError e = CompareShapes(TargetShape(d), fast);
        EXPECT_LT(e.Worst, 1e-5);
        EXPECT_LT(std::fabs(e.Minus3dB), 1e-5);
    }
}

}  // namespace
