// The nodal model against references of its own: the schematic's transfer
// function written out by hand, a difference quotient of its phase, and
// each standard set against the normalisation of its table.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "design/design_analysis.h"
#include "designs.h"
#include "model/circuit.h"
#include "response/response.h"

using namespace velmora;

namespace {

using Complex = std::complex<double>;
constexpr double kTwoPi = 2 * std::numbers::pi;
const FilterParts kButterworth{1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038};

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

// The schematic's transfer function for equal capacitors c: K G1 x^2 G4 /
// D(t), t = s c, with x the conductance of R2 = R3.
Complex TextbookResponse(const FilterParts& p, double hz) {
    const double g1 = 1 / p.R1, x = 1 / p.R2, g4 = 1 / p.R4, k = p.K;
    const Complex t{0, kTwoPi * hz * p.C1};
    const double d3 = g1 + 4 * x + (2 - k) * g4;
    const double d2 = 3 * x * x + 3 * g1 * x + (7 - 3 * k) * x * g4 + (2 - k) * g1 * g4;
    const double d1 = g1 * x * x + (5 - 2 * k) * g1 * x * g4 + (4 - 2 * k) * x * x * g4;
    const double d0 = g1 * x * x * g4;
    return k * d0 / (((t + d3) * t + d2) * t * t + d1 * t + d0);
}

TEST(Circuit, MatchesTheTextbookTransferFunction) {
    const FilterParts rows[] = {
        kButterworth,
        {340.4, 1360.7, 1360.7, 97, 1e-7, 1e-7, 1e-7, 1e-7, 1.96065},
        {10e3, 22e3, 22e3, 4.7e3, 4.7e-9, 4.7e-9, 4.7e-9, 4.7e-9, 1.5},
        {500, 800, 800, 300, 1e-6, 1e-6, 1e-6, 1e-6, 0.5},  // K < 1 solves all the same
    };
    for (const FilterParts& p : rows)
        for (double hz : {0.0, 10.0, 300.0, 1000.0, 1234.5, 5e4}) {
            const Complex want = TextbookResponse(p, hz);
            EXPECT_LT(std::abs(CircuitResponse(p, hz) - want), 1e-12 * std::abs(want) + 1e-300)
                << "R1 " << p.R1 << " at " << hz << " Hz";
        }
}

// The group delay against a difference quotient of the phase, which turns
// continuously through 0, -180 at the pole frequency, and -360.
TEST(Circuit, GroupDelayIsTheSlopeOfAContinuousPhase) {
    for (double hz : {20.0, 500.0, 1000.0, 1500.0, 8000.0}) {
        const double h = hz * 1e-6, slope = (CircuitPhaseDeg(kButterworth, hz + h) -
                                             CircuitPhaseDeg(kButterworth, hz - h)) /
                                            (2 * h) / 360;
        EXPECT_NEAR(CircuitGroupDelay(kButterworth, hz), -slope, 1e-6 * std::abs(slope)) << hz;
    }
    for (const auto& [hz, deg] : {std::pair{0.01, 0.0}, {1000.0, -180.0}, {1e8, -360.0}})
        EXPECT_NEAR(CircuitPhaseDeg(kButterworth, hz), deg, 0.05) << hz;
}

// Each standard set, built with its unrounded values, against the
// normalisation of its table; the values as shown within 0.2 % (the 3 dB
// row's high-Q pair, rounded to 0.1 ohm) and without a diagnostic.
TEST(Circuit, StandardSetsMeetTheirNormalisation) {
    const double none = NAN;
    const struct {
        int Set;
        double Fsf, Minus3dBHz, PeakingDb, AtFsfDb;  // NAN: not part of the normalisation
    } rows[] = {
        {ID_STD_BUTTERWORTH, 1000, 1000, 0, none},  {ID_STD_BUTTERWORTH, 2500, 2500, 0, none},
        {ID_STD_BESSEL, 1000, none, 0, none},       {ID_STD_CHEB05, 1000, none, 0.5, 0},
        {ID_STD_CHEB10, 1000, none, 1, 1 - 3.0103},  // 3 dB below the crest
        {ID_STD_CHEB20, 1000, none, 2, 0},          {ID_STD_CHEB30, 1000, none, 3, 0},
    };
    for (const auto& row : rows) {
        const DesignRecord d = PresetDesign(row.Set, row.Fsf);
        const DesignAnalysis full = AnalyseDesign(d);
        const FilterParts parts = full.Unrounded.Parts;
        const CircuitAnalysis a = AnalyseCircuit(parts);
        SCOPED_TRACE(testing::Message() << FindStandardSet(row.Set)->Label << " FSF " << row.Fsf);
        ASSERT_TRUE(a.Valid && a.Stable);
        EXPECT_NEAR(a.DcGain, d.K, 1e-9 * d.K);
        EXPECT_TRUE(full.RootFound && full.Diagnostics.empty());
        const PolePair targets[2] = {{d.F1 * d.FSF, 1 / d.AF1}, {d.F2 * d.FSF, 1 / d.AF2}};
        for (int k = 0; k < 2; ++k) {
            // The search stops at a relative width of 1e-6.
            EXPECT_NEAR(full.Unrounded.Pairs[k].Realised.F0Hz / targets[k].F0Hz, 1, 1e-5);
            EXPECT_NEAR(full.Unrounded.Pairs[k].Realised.Q / targets[k].Q, 1, 1e-5);
            EXPECT_NEAR(full.Shown.Pairs[k].Realised.F0Hz / targets[k].F0Hz, 1, 2e-3);
            EXPECT_NEAR(full.Shown.Pairs[k].Realised.Q / targets[k].Q, 1, 2e-3);
        }
        if (!std::isnan(row.Minus3dBHz)) {
            EXPECT_NEAR(a.Minus3dBHz / row.Minus3dBHz, 1, 1e-5);
        }
        // Table values carry six or seven digits: ripple to a few thousandths
        // of a dB, and the 1 dB row's 3 dB point to about four digits.
        EXPECT_NEAR(a.PeakingDb, row.PeakingDb, 0.005);
        if (!std::isnan(row.AtFsfDb)) {
            EXPECT_NEAR(Db(std::abs(CircuitResponse(parts, d.FSF) / a.DcGain)), row.AtFsfDb, 0.01);
        }
        if (row.Set == ID_STD_BESSEL) {
            // Unit delay at 1 rad/s in the table, and maximally flat: still
            // within 1 % at half the -3 dB frequency.
            const double delay = 1 / (kTwoPi * d.FSF);
            EXPECT_NEAR(CircuitGroupDelay(parts, 0) / delay, 1, 1e-5);
            EXPECT_NEAR(CircuitGroupDelay(parts, a.Minus3dBHz / 2) / delay, 1, 0.01);
        }
    }
}

}  // namespace
