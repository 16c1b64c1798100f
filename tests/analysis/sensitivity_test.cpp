#include "design/sensitivity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "build/standard_values.h"
#include "design/alternatives.h"
#include "design/design_target.h"
#include "design/response_generator.h"
#include "model/circuit.h"
#include "response/response.h"
#include "test_designs.h"

using namespace velmora;

namespace {

// Central difference of the nodal analysis, relative step h: an independent
// model and an independent derivative.
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
std::vector<std::pair<DesignRecord, FilterParts>> Designs() {
    std::vector<std::pair<DesignRecord, FilterParts>> designs;
    for (int preset : kFilledPresets)
        designs.emplace_back(PresetDesign(preset), ScaledParts(PresetDesign(preset)));
    const DesignRecord meeting = DesignOf(2, .5, .7, 1);
    designs.emplace_back(meeting, AlternativeDesigns(meeting).at(0).Scaled);
    return designs;
}

// Per design: the sensitivities against finite differences; scaling every
// resistor (or every capacitor) by the same factor moves both f0 inversely
// and leaves Q alone, so those sums are -1 and 0 exactly; the closed-form
// shape used per Monte Carlo trial against the nodal analysis; and the
// built design against its target, the pole pairs typed in.
TEST(Sensitivity, DesignsAgainstFiniteDifferencesAndTheNodalAnalysis) {
    for (const auto& [d, parts] : Designs()) {
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
        ASSERT_TRUE(fast.Valid && nodal.Valid);
        EXPECT_TRUE(fast.Stable);
        for (int i = 0; i < 2; ++i) {
            double sums[4] = {};  // f0 to R, f0 to C, Q to R, Q to C
            for (int k = 0; k < 4; ++k) {
                sums[0] += s.F0[i][kPartR1 + k];
                sums[1] += s.F0[i][kPartC1 + k];
                sums[2] += s.Q[i][kPartR1 + k];
                sums[3] += s.Q[i][kPartC1 + k];
            }
            for (int k = 0; k < 4; ++k)
                EXPECT_NEAR(sums[k], k < 2 ? -1 : 0, 1e-9) << "sum " << k;
            EXPECT_NEAR(fast.Pairs[i].F0Hz / nodal.Pairs[i].F0Hz, 1, 1e-9);
            EXPECT_NEAR(fast.Pairs[i].Q / nodal.Pairs[i].Q, 1, 1e-9);
        }
        EXPECT_NEAR(fast.Minus3dBHz / nodal.Minus3dBHz, 1, 1e-6);
        // The nodal analysis finds the peak on a frequency grid.
        EXPECT_NEAR(fast.PeakingDb, nodal.PeakingDb, 5e-5);
        const BuildError e = CompareShapes(TargetShape(d), fast);
        EXPECT_LT(e.Worst, 1e-5);
        EXPECT_LT(std::fabs(e.Minus3dB), 1e-5);
    }
}

// Exact figures of generated responses: a Tchebysheff peaks at its ripple
// above DC (even order: DC sits at the bottom of the ripple) and a
// Butterworth is at half power at its cutoff.
TEST(ResponseShape, ExactFiguresOfKnownResponses) {
    for (double ripple : {0.1, 0.25, 0.5, 1.0, 2.0, 3.0}) {
        const auto pairs =
            PrototypePairs({ResponseKind::Tchebysheff, ripple, CutoffConvention::RippleEdge});
        const DesignRecord d =
            DesignOf((*pairs)[0].AF, (*pairs)[0].F, (*pairs)[1].AF, (*pairs)[1].F, 2500);
        const ResponseShape target = TargetShape(d);
        EXPECT_NEAR(target.PeakingDb, ripple, 1e-9) << ripple;
    }
    const ResponseShape butter = TargetShape(PresetDesign(ID_STD_BUTTERWORTH));
    EXPECT_NEAR(butter.Minus3dBHz, 1000, 1e-3);  // the preset's six digits
    EXPECT_NEAR(butter.PeakingDb, 0, 1e-9);
}

}  // namespace
