// The nodal model on its own: against the textbook transfer function of the
// schematic, and each standard set against the normalisation of its table.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "design/design_analysis.h"
#include "design_cases.h"
#include "model/circuit.h"
#include "response/response.h"

using namespace velmora;

namespace {

using Complex = std::complex<double>;
constexpr double kTwoPi = 2 * std::numbers::pi;

double Db(double ratio) {
    return 20 * std::log10(ratio);
}

// The schematic's transfer function written out by hand for equal
// capacitors c: K G1 x^2 G4 / D(t), t = s c, with x the conductance of R2 = R3.
Complex TextbookResponse(const FilterParts& p, double hz) {
    const double g1 = 1 / p.R1, x = 1 / p.R2, g4 = 1 / p.R4, k = p.K;
    const Complex t{0, kTwoPi * hz * p.C1};
    const double d3 = g1 + 4 * x + (2 - k) * g4;
    const double d2 = 3 * x * x + 3 * g1 * x + (7 - 3 * k) * x * g4 + (2 - k) * g1 * g4;
    const double d1 = g1 * x * x + (5 - 2 * k) * g1 * x * g4 + (4 - 2 * k) * x * x * g4;
    const double d0 = g1 * x * x * g4;
    return k * d0 / (((t + d3) * t + d2) * t * t + d1 * t + d0);
}

TEST(CircuitResponse, MatchesTheTextbookTransferFunction) {
    const std::vector<FilterParts> rows = {
        {1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038},
        {340.4, 1360.7, 1360.7, 97, 1e-7, 1e-7, 1e-7, 1e-7, 1.96065},
        {10e3, 22e3, 22e3, 4.7e3, 4.7e-9, 4.7e-9, 4.7e-9, 4.7e-9, 1.5},
        {500, 800, 800, 300, 1e-6, 1e-6, 1e-6, 1e-6, 0.5},  // K < 1 solves all the same
    };
    for (const FilterParts& p : rows) {
        for (double hz : {0.0, 10.0, 300.0, 1000.0, 1234.5, 5e4}) {
            const Complex want = TextbookResponse(p, hz), got = CircuitResponse(p, hz);
            EXPECT_LT(std::abs(got - want), 1e-12 * std::abs(want) + 1e-300)
                << "R1 " << p.R1 << " at " << hz << " Hz";
        }
    }
}

// The derivative of the nodal solution against a difference quotient of
// the phase, and the phase branch across the whole band.
TEST(CircuitResponse, GroupDelayAndContinuousPhase) {
    const FilterParts p{1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038};
    for (double hz : {20.0, 500.0, 1000.0, 1500.0, 8000.0}) {
        const double h = hz * 1e-6;
        const double slope =
            (CircuitPhaseDeg(p, hz + h) - CircuitPhaseDeg(p, hz - h)) / (2 * h) / 360;
        EXPECT_NEAR(CircuitGroupDelay(p, hz), -slope, 1e-6 * std::abs(slope)) << hz;
    }
    // A fourth-order low-pass turns through 0, -180 at its pole frequency, -360.
    EXPECT_NEAR(CircuitPhaseDeg(p, 0.01), 0, 0.01);
    EXPECT_NEAR(CircuitPhaseDeg(p, 1000), -180, 0.05);
    EXPECT_NEAR(CircuitPhaseDeg(p, 1e8), -360, 0.01);
}

TEST(CircuitResponse, AmplifierGainEntersAsTheStageGain) {
    const FilterParts p{1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038};
    const Complex s{0, kTwoPi * 700};
    EXPECT_EQ(CircuitTransfer(p, s, p.K), CircuitResponse(p, 700));
    EXPECT_EQ(SinglePoleStageGain(2.038, 0, s), Complex(2.038));
    // A / (1 + A / K): at DC A0 = 1e5 lowers K by K / A0; far above GBW / K
    // the stage gain falls as GBW / f.
    EXPECT_NEAR(SinglePoleStageGain(2, 1e6, 0).real(), 2 / (1 + 2e-5), 1e-12);
    EXPECT_NEAR(std::abs(SinglePoleStageGain(2, 1e6, Complex{0, kTwoPi * 1e8})), 1e-2, 1e-4);
}

TEST(AnalyseCircuit, PartsThatGiveNoFourthOrderCircuit) {
    const FilterParts good{1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038};
    struct Row {
        const char* name;
        double FilterParts::*field;
        double value;
        bool valid;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Row> rows = {
        {"R1 zero", &FilterParts::R1, 0, false},
        {"R4 infinite", &FilterParts::R4, inf, false},
        {"C3 zero", &FilterParts::C3, 0, false},
        {"C2 NaN", &FilterParts::C2, nan, false},
        {"K infinite", &FilterParts::K, -inf, false},
        {"K zero", &FilterParts::K, 0, true},
        {"R2 negative", &FilterParts::R2, -4282, true},
    };
    for (const Row& row : rows) {
        FilterParts p = good;
        p.*row.field = row.value;
        const CircuitAnalysis a = AnalyseCircuit(p);
        EXPECT_EQ(a.Valid, row.valid) << row.name;
        EXPECT_EQ(CircuitPoles(p).size(), row.valid ? 4u : 0u) << row.name;
        if (!row.valid) {
            EXPECT_TRUE(std::isnan(CircuitResponse(p, 100).real())) << row.name;
        }
    }
    FilterParts unstable = good;
    unstable.K = 4;  // enough positive feedback through C1 and C3 to oscillate
    EXPECT_FALSE(AnalyseCircuit(unstable).Stable);
    EXPECT_TRUE(AnalyseCircuit(good).Stable);
}

// Real poles group by magnitude; pairs list lower Q first.
TEST(PairPoles, GroupsConjugatesAndRealPoles) {
    const double w = kTwoPi;
    const std::array<PolePair, 2> mixed =
        PairPoles({{-0.2 * w, 0.9 * w}, {-3 * w, 0}, {-0.2 * w, -0.9 * w}, {-1 * w, 0}});
    EXPECT_NEAR(mixed[0].F0Hz, std::sqrt(3.0), 1e-12);
    EXPECT_NEAR(mixed[0].Q, std::sqrt(3.0) / 4, 1e-12);
    EXPECT_NEAR(mixed[1].F0Hz, std::hypot(0.2, 0.9), 1e-12);
    EXPECT_NEAR(mixed[1].Q, std::hypot(0.2, 0.9) / 0.4, 1e-12);
    const std::array<Complex, 2> roots = PolesOfPair({1, 0.5});
    EXPECT_NEAR(std::abs(roots[0] + w), 0, 1e-6);
    EXPECT_NEAR(std::abs(roots[1] + w), 0, 1e-6);
}

// Each standard set, built with its unrounded values, against the
// normalisation of its table: the pole pairs within the search tolerance,
// and each family's own figure.
TEST(AnalyseCircuit, StandardSetsMeetTheirNormalisation) {
    struct Row {
        int set;
        const char* fsf;
        double minus3dBHz;  // 0: not part of the normalisation
        double peakingDb;   // the ripple
        bool rippleEdgeAtFsf;
    };
    const std::vector<Row> rows = {
        {ID_STD_BUTTERWORTH, "1000", 1000, 0, false}, {ID_STD_BUTTERWORTH, "2500", 2500, 0, false},
        {ID_STD_BESSEL, "1000", 0, 0, false},         {ID_STD_CHEB05, "1000", 0, 0.5, true},
        {ID_STD_CHEB10, "1000", 0, 1.0, false},       {ID_STD_CHEB20, "1000", 0, 2.0, true},
        {ID_STD_CHEB30, "1000", 0, 3.0, true},
    };
    for (const Row& row : rows) {
        DesignInputs in = PresetInputs(row.set);
        in.Texts[5] = row.fsf;
        const DesignRecord d = Compute(in);
        const FilterParts parts = UnroundedParts(d);
        const CircuitAnalysis a = AnalyseCircuit(parts);
        const double fsf = d.FSF, dc = std::abs(a.DcGain);
        SCOPED_TRACE(FindStandardSet(row.set)->Label + std::string(" FSF ") + row.fsf);
        ASSERT_TRUE(a.Valid);
        EXPECT_TRUE(a.Stable);
        EXPECT_NEAR(a.DcGain, d.K, 1e-9 * d.K);

        // The search stops at a relative width of 1e-6.
        const PolePair targets[2] = {{d.F1 * fsf, 1 / d.AF1}, {d.F2 * fsf, 1 / d.AF2}};
        const DesignAnalysis full = AnalyseDesign(d);
        for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(full.Unrounded.Pairs[k].Realised.F0Hz, targets[k].F0Hz,
                        1e-5 * targets[k].F0Hz);
            EXPECT_NEAR(full.Unrounded.Pairs[k].Realised.Q, targets[k].Q, 1e-5 * targets[k].Q);
        }
        if (row.minus3dBHz > 0) {
            EXPECT_NEAR(a.Minus3dBHz, row.minus3dBHz, 1e-5 * row.minus3dBHz);
        }
        // Table values carry six or seven digits: ripple to a few thousandths of a dB.
        EXPECT_NEAR(a.PeakingDb, row.peakingDb, 0.005);
        if (row.rippleEdgeAtFsf) {
            EXPECT_NEAR(Db(std::abs(CircuitResponse(parts, fsf)) / dc), 0, 0.005);
        }
        if (row.set == ID_STD_CHEB10) {
            // 3 dB below the ripple's crest at FSF, to about four digits.
            const double crest = dc * std::pow(10, a.PeakingDb / 20);
            EXPECT_NEAR(Db(std::abs(CircuitResponse(parts, fsf)) / crest), -3.0103, 0.01);
        }
        if (row.set == ID_STD_BESSEL) {
            // Unit delay at 1 rad/s in the table: 1 / (2 pi FSF) seconds here,
            // and maximally flat: still within 1 % at half the -3 dB frequency.
            const double delay = 1 / (kTwoPi * fsf);
            EXPECT_NEAR(CircuitGroupDelay(parts, 0), delay, 1e-5 * delay);
            EXPECT_NEAR(CircuitGroupDelay(parts, a.Minus3dBHz / 2), delay, 0.01 * delay);
        }
    }
}

TEST(AnalysePolePairs, TargetFigures) {
    const PolePair butterworth[2] = {{1000, 1 / 1.847759}, {1000, 1 / .765367}};
    const CircuitAnalysis t = AnalysePolePairs(butterworth, 2);
    EXPECT_TRUE(t.Valid && t.Stable);
    EXPECT_NEAR(t.Minus3dBHz, 1000, 1e-3);
    EXPECT_NEAR(t.PeakingDb, 0, 1e-6);  // the table's seven digits leave a trace
    const ResponsePoint p = PolePairPoint(butterworth, 2, 1000);
    EXPECT_NEAR(p.GainDb, Db(2) - 3.0103, 1e-4);
    EXPECT_NEAR(p.PhaseDeg, -180, 1e-4);
    const PolePair noQ[2] = {{1000, std::numeric_limits<double>::infinity()}, {1000, 1}};
    EXPECT_FALSE(AnalysePolePairs(noQ, 1).Valid);
}

}  // namespace
