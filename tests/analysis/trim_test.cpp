// The board yields against an independent Monte Carlo: its own generator,
// the nodal solution of the circuit at each frequency, the technician's
// steps followed position by position on that solution, and the -3 dB
// point and the peaking found by a frequency sweep. The two must agree within their
// statistical error, before and after the trim and for a tolerance plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "build/tolerance_plan.h"
#include "design/design_target.h"
#include "designs.h"

using namespace velmora;

namespace {

double Gain(const FilterParts& p, double hz) {
    return std::abs(CircuitResponse(p, hz));
}

// -3 dB point and peaking (dB over DC): a 2 % sweep around the corner,
// bisection for the crossing and golden sections for the peak.
std::pair<double, double> Shape(const FilterParts& p, double nearHz) {
    const double dc = Gain(p, 0);
    double peakHz = 0, peak = dc, lo = 0, hi = 0;
    for (double f = nearHz / 4; f < nearHz * 2.5; f *= 1.02) {
        const double g = Gain(p, f);
        if (g > peak) peak = g, peakHz = f;
        if (hi == 0 && g < dc / std::sqrt(2.0)) hi = f;
        if (hi == 0) lo = f;
    }
    for (int k = 0; k < 30 && hi > 0; ++k)
        (Gain(p, (lo + hi) / 2) < dc / std::sqrt(2.0) ? hi : lo) = (lo + hi) / 2;
    for (double a = peakHz / 1.02, b = peakHz * 1.02; peakHz > 0 && b - a > 1e-4 * b;) {
        const double m1 = b - (b - a) * 0.618, m2 = a + (b - a) * 0.618;
        (Gain(p, m1) < Gain(p, m2) ? a : b) = Gain(p, m1) < Gain(p, m2) ? m1 : m2;
        peak = std::max({peak, Gain(p, m1), Gain(p, m2)});
    }
    return {hi, 20 * std::log10(peak / dc)};
}

// The fraction of builds inside the mask, the trimmer set as the printed
// steps say: read at each position from zero up, left at the first whose
// reading reaches the stated gain; a board that reads above it at zero, or
// never reaches it, is set aside.
double ReferenceYield(const SnappedBuild& b, const PartTolerances& tol,
                      const std::optional<KTrim>& trim, const ResponseShape& target,
                      const YieldMask& mask, int trials) {
    std::mt19937_64 engine(20261207);
    std::uniform_real_distribution<double> u(-1, 1);
    const auto draw = [&](double t) { return 1 + t * u(engine); };
    int passed = 0;
    for (int trial = 0; trial < trials; ++trial) {
        FilterParts p = b.Built;
        double* values[] = {&p.R1, &p.R2, &p.R3, &p.R4, &p.C1, &p.C2, &p.C3, &p.C4};
        for (int part = 0; part < 8; ++part)
            *values[part] *= draw(tol.Of[part]);
        const double rstar = b.RStar * draw(tol.Of[kBoardRStar]);
        if (!trim) {
            p.K = 1 + b.RkrBuilt * draw(tol.Of[kBoardRkr]) / rstar;
        } else {
            const double fixed = trim->FixedOhms * draw(tol.Of[kBoardRkr]);
            const double pot = trim->PotOhms * draw(trim->PotTolerance);
            const double meter = draw(trim->Meter);
            const auto reads = [&](double x) {
                FilterParts q = p;
                q.K = 1 + (fixed + x * pot) / rstar;
                return Gain(q, trim->TestHz) * meter;
            };
            int at = 0;
            while (at <= trim->Steps &&
                   reads(static_cast<double>(at) / trim->Steps) < trim->StatedGain)
                ++at;
            if (at == 0 || at > trim->Steps) continue;  // outside the trim range
            p.K = 1 + (fixed + at * pot / trim->Steps) / rstar;
        }
        const auto [f3, peak] = Shape(p, target.Minus3dBHz);
        passed += std::fabs(f3 / target.Minus3dBHz - 1) <= mask.Minus3dB &&
                  std::fabs(peak - target.PeakingDb) <= mask.PeakingDb;
    }
    return static_cast<double>(passed) / trials;
}

TEST(BoardYield, AgreesWithAnIndependentMonteCarlo) {
    const YieldMask mask{0.03, 0, 0, 0.5};
    enum Plan { kUntrimmed, kTrimmed, kPlanned };
    const struct {
        int Preset;
        double TolR, TolC;
        Plan How;
    } rows[] = {
        {ID_STD_BUTTERWORTH, 0.01, 0.05, kUntrimmed}, {ID_STD_BUTTERWORTH, 0.01, 0.05, kTrimmed},
        {ID_STD_BESSEL, 0.01, 0.02, kTrimmed},        {ID_STD_CHEB05, 0.01, 0.02, kTrimmed},
        {ID_STD_CHEB05, 0.02, 0.05, kPlanned},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.Preset << " " << row.TolC << " " << row.How);
        const DesignRecord d = PresetDesign(row.Preset);
        const SnappedBuild b = SnapDesign(d, {ESeries::E96, std::nullopt, true}, d.ISF);
        const ResponseShape target = TargetShape(d);
        PartTolerances tol = EqualGrades({row.TolR, row.TolC, Distribution::Uniform});
        TrimOptions options;
        options.Seed = 5;
        options.PilotTrials = 500;
        std::optional<KTrim> trim;
        if (row.How == kTrimmed) trim = DesignTrim(b, tol, target, mask, options).Trim;
        if (row.How == kPlanned) {
            const TolerancePlan plan = PlanTolerances(
                b, target, mask, {0.9, true, options, 500, 5, Distribution::Uniform, ESeries::E96});
            ASSERT_TRUE(plan.Reached);
            tol = plan.Tol;
            trim = plan.Trim->Trim;
        }
        const int n = 2000, m = 600;
        const double ours = SimulateBoard(SetupOf(b, tol, n, 9, trim), target, mask).Yield;
        const double theirs = ReferenceYield(b, tol, trim, target, mask, m);
        const double p = (ours + theirs) / 2;
        EXPECT_NEAR(ours, theirs, 4 * std::sqrt(p * (1 - p) * (1.0 / n + 1.0 / m)) + 0.005);
        // A plan keeps its promise; a trim is worth something.
        EXPECT_GT(theirs, row.How == kPlanned ? 0.9 - 4 * std::sqrt(0.09 / m) : 0);
        EXPECT_GT(ours, row.How == kTrimmed ? 0.3 : 0);
    }
}

}  // namespace
