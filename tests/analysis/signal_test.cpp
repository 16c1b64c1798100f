// Noise, levels, slew and offset against ngspice on the exported netlist
// and against closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "design/design_analysis.h"
#include "design/signal_analysis.h"
#include "designs.h"
#include "ngspice_run.h"
#include "output/spice_netlist.h"

using namespace velmora;

namespace {

constexpr double kFourKT = 4 * kBoltzmann * kNoiseKelvin;

// A 0.5 dB Tchebysheff at 1 kHz, K near 2, behind a 600 ohm source into a
// 2 kOhm load, with a slow op-amp whose 1/f corner lies in the band: every
// source, the GBW and the source resistance show.
SignalCircuit Board() {
    OpAmp amp;
    amp.GbwHz = 1e6;
    amp.FlickerCornerHz = 100;
    amp.InAPerRtHz = 2e-12;
    return SignalFor(AnalyseDesign(PresetDesign(ID_STD_CHEB05)), amp, 600, 2000);
}

SpiceNetlist Netlist(const SignalCircuit& c, double lowHz, double highHz) {
    SpiceOptions o{0, lowHz, highHz, 20, "signal", c.Amp, c.SourceOhms, c.LoadOhms};
    return MakeSpiceNetlist(c.Parts, c.RStarOhms, c.RkrOhms, o);
}

bool HaveNgspice() {
    return !std::string(VELMORA_NGSPICE).empty();
}

// Node voltages over 10 Hz .. 100 kHz: the same linear circuit, so the
// figures agree to ngspice's rounding (measured: 2e-8); a node swapped or
// the input capacitance left out shows at 1e-4 and far above.
TEST(SignalNgspice, NodeGainsAgreeWithAc) {
    if (!HaveNgspice()) GTEST_SKIP() << "ngspice is not installed";
    const SignalCircuit c = Board();
    const SpiceNetlist net = Netlist(c, 10, 1e5);
    ASSERT_TRUE(net.Ok) << net.Problem;
    const auto rows = RunNgspice(
        net.Text, "set wr_singlescale\nrun\nwrdata DATA v(n1) v(n2) v(n3) v(n4) v(out)\n", "ac");
    ASSERT_EQ(rows.size(), 81u);
    double worst = 0;
    for (const auto& row : rows) {
        const std::array<double, kNodeCount> ours = NodeGains(c, row[0]);
        for (int n = 0; n < kNodeCount; ++n)
            worst =
                std::max(worst, std::abs(std::hypot(row[1 + 2 * n], row[2 + 2 * n]) / ours[n] - 1));
    }
    EXPECT_LT(worst, 1e-6);
}

// Output noise density point by point (measured: 2.3e-6, the two sets of
// physical constants), and the band's total, which ngspice integrates its
// own way: at 500 points a decade within 1e-4 (at 50, 9e-4 short at the
// peak).
TEST(SignalNgspice, NoiseAgreesWithNoiseAnalysis) {
    if (!HaveNgspice()) GTEST_SKIP() << "ngspice is not installed";
    const SignalCircuit c = Board();
    const SpiceNetlist net = Netlist(c, 1, 1e4);
    ASSERT_TRUE(net.Ok) << net.Problem;
    const auto rows = RunNgspice(net.Text,
                                 "noise v(out) VIN dec 50 1 10000\nsetplot noise1\n"
                                 "wrdata DATA onoise_spectrum\nsetplot noise2\n"
                                 "print onoise_total > DATA.total\n",
                                 "noise");
    ASSERT_EQ(rows.size(), 201u);
    double worst = 0;
    for (const auto& row : rows)
        worst = std::max(worst, std::abs(row[1] / OutputDensity(c, row[0]) - 1));
    EXPECT_LT(worst, 1e-5);
    const auto total = RunNgspice(net.Text,
                                  "noise v(out) VIN dec 500 1 10000\nsetplot noise2\n"
                                  "wrdata DATA onoise_total\n",
                                  "noise-total");
    ASSERT_EQ(total.size(), 1u);
    EXPECT_NEAR(total[0][1] / IntegrateNoise(c, 1, 1e4).OutRms, 1, 1e-4);
}

// The largest clean sine at the frequency where it needs the most slew,
// through the netlist's op-amp with room to spare: the output's steepest
// slope over the last periods is the slew rate we say it needs.
TEST(SignalNgspice, SlewNeededAgreesWithTransient) {
    if (!HaveNgspice()) GTEST_SKIP() << "ngspice is not installed";
    SignalCircuit c = Board();
    const LevelFigures l = MeasureLevels(c, 1, 1e4);
    c.Amp.SlewVPerS = 1e12;  // no limit in the simulation
    c.Amp.SupplyV = 100;
    std::string net = Netlist(c, 1, 1e4).Text;
    const std::string vin = "VIN src 0 DC 0 AC 1";
    net.replace(net.find(vin), vin.size(),
                vin + " SIN(0 " + std::to_string(l.LargestSine) + " " +
                    std::to_string(l.SlewNeeded.Hz) + ")");
    const double period = 1 / l.SlewNeeded.Hz, step = period / 400;
    const auto rows = RunNgspice(
        net,
        "tran " + std::to_string(step) + " " + std::to_string(40 * period) + " " +
            std::to_string(35 * period) + " " + std::to_string(step) + "\nwrdata DATA v(out)\n",
        "tran");
    ASSERT_GT(rows.size(), 1000u);
    double steepest = 0;
    for (size_t k = 1; k < rows.size(); ++k)
        steepest = std::max(
            steepest, std::abs((rows[k][1] - rows[k - 1][1]) / (rows[k][0] - rows[k - 1][0])));
    EXPECT_NEAR(steepest / l.SlewNeeded.Value, 1, 2e-3);
}

// Closed forms. An RC's noise integrates to kT/C whatever R is.
TEST(SignalClosedForm, RcNoiseIsKTOverC) {
    const double r = 10e3, cap = 1e-9, corner = 1 / (2 * std::numbers::pi * r * cap);
    const double power =
        IntegratePower([&](double f) { return kFourKT * r / (1 + f * f / (corner * corner)); },
                       corner * 1e-6, corner * 1e6);
    EXPECT_NEAR(power / (kBoltzmann * kNoiseKelvin / cap), 1, 1e-5);
}

// Far below the cutoff the capacitors are open: the + input sees the source
// and R1..R4 in series, the - input R* || RK-R, and the output carries
// K^2 (4kT R + en^2 (1 + fc / f) + in^2 R^2) of each.
TEST(SignalClosedForm, NoiseAtLowFrequencyIsTheResistancesTimesK) {
    SignalCircuit c = Board();
    c.Amp.GbwHz = 0;  // ideal: the stage gain is K
    const double hz = 0.01;
    const DcOffset o = OutputOffset(c);
    const double expected =
        c.Parts.K * c.Parts.K *
        (kFourKT * (o.SeriesOhms + o.ParallelOhms) +
         c.Amp.EnVPerRtHz * c.Amp.EnVPerRtHz * (1 + c.Amp.FlickerCornerHz / hz) +
         c.Amp.InAPerRtHz * c.Amp.InAPerRtHz *
             (o.SeriesOhms * o.SeriesOhms + o.ParallelOhms * o.ParallelOhms));
    EXPECT_NEAR(OutputDensity(c, hz) / std::sqrt(expected), 1, 1e-7);
    // One resistor alone: R2's share is 4kT R2 K^2.
    EXPECT_NEAR(OutputNoise(c, hz)[kNoiseR2] / (kFourKT * c.Parts.R2 * c.Parts.K * c.Parts.K), 1,
                1e-7);
}

// The offset's parts by hand: R 1k, 2k, 3k, 4k behind 500 ohms (10.5 k),
// R* = RK-R = 2k (K = 2, 1 k): Vos 1 mV, Ib 10 nA, Ios 1 nA.
TEST(SignalClosedForm, OffsetSum) {
    SignalCircuit c{{1e3, 2e3, 3e3, 4e3, 1e-8, 1e-8, 1e-8, 1e-8, 2}, 2e3, 2e3, OpAmp{}, 500, 0};
    const DcOffset o = OutputOffset(c);
    EXPECT_DOUBLE_EQ(o.FromVos, 2e-3);
    EXPECT_DOUBLE_EQ(o.FromIb, 2 * 10e-9 * 9.5e3);
    EXPECT_DOUBLE_EQ(o.FromIos, 2 * 0.5e-9 * 11.5e3);
    EXPECT_DOUBLE_EQ(o.Worst, 2e-3 + 1.9e-4 + 1.15e-5);
    EXPECT_DOUBLE_EQ(o.BalancedRStar, 21e3);
    EXPECT_DOUBLE_EQ(o.BalancedRkr, 21e3);
    EXPECT_DOUBLE_EQ(o.BalancedWorst, 2 * (1e-3 + 0.5e-9 * 21e3));
}

// At DC n4 follows the input, the output is K times it: the generic op-amp's
// inputs stop 1.5 V under the top rail, its output 0.1 V inside either.
TEST(SignalClosedForm, DcRangeFromTheRails) {
    SignalCircuit c{{1e3, 2e3, 3e3, 4e3, 1e-8, 1e-8, 1e-8, 1e-8, 2}, 2e3, 2e3, OpAmp{}, 0, 0};
    c.Amp.GbwHz = 0;
    const LevelFigures l = MeasureLevels(c, 1, 1e5);
    EXPECT_DOUBLE_EQ(l.DcHigh, 1.0);  // the inputs' top: 2.5 - 1.5
    EXPECT_DOUBLE_EQ(l.DcLow, -1.2);  // the output's bottom: -2.4 / K
}

}  // namespace

namespace {

// The source is part of R1 for the signal: moving 600 ohms from the source
// into R1 changes no figure, only how R1's branch splits its noise.
TEST(SignalSource, IsPartOfR1) {
    const SignalCircuit withSource = Board();
    SignalCircuit folded = withSource;
    folded.Parts.R1 += folded.SourceOhms;
    folded.SourceOhms = 0;
    const NoiseFigures a = IntegrateNoise(withSource, 1, 1e4), b = IntegrateNoise(folded, 1, 1e4);
    EXPECT_NEAR(a.OutRms / b.OutRms, 1, 1e-12);
    EXPECT_NEAR(a.Share[kNoiseRs] + a.Share[kNoiseR1], b.Share[kNoiseR1], 1e-12);
    EXPECT_NEAR(a.Share[kNoiseRs] / a.Share[kNoiseR1], 600 / withSource.Parts.R1, 1e-9);
    const LevelFigures la = MeasureLevels(withSource, 1, 1e4), lb = MeasureLevels(folded, 1, 1e4);
    EXPECT_DOUBLE_EQ(la.LargestSine, lb.LargestSine);
    EXPECT_DOUBLE_EQ(OutputOffset(withSource).Worst, OutputOffset(folded).Worst);
}

// The output drives the load and the gain network with the output voltage
// itself, so their currents peak with it: LargestSine * peak gain / R.
TEST(SignalLevels, ResistiveCurrentsFollowTheOutput) {
    const SignalCircuit c = Board();
    const LevelFigures l = MeasureLevels(c, 1, 1e4);
    const double vout = l.LargestSine * l.Peaks[kNodeOut].Value;
    EXPECT_NEAR(l.Currents[kCurrentLoad].Value / (vout / c.LoadOhms), 1, 1e-9);
    EXPECT_NEAR(l.Currents[kCurrentGain].Value / (vout / (c.RStarOhms + c.RkrOhms)), 1, 1e-9);
    EXPECT_GE(l.Currents[kCurrentTotal].Value, l.Currents[kCurrentLoad].Value);
}

// The R* offered keeps K and leaves no bias-current offset: what it promises.
TEST(SignalOffset, OfferedRStarBalances) {
    SignalCircuit c = Board();
    const DcOffset before = OutputOffset(c);
    c.RStarOhms = before.BalancedRStar;
    c.RkrOhms = before.BalancedRkr;
    EXPECT_NEAR(GainOf(c.RkrOhms, c.RStarOhms), c.Parts.K, 1e-12);
    const DcOffset after = OutputOffset(c);
    EXPECT_NEAR(after.FromIb, 0, 1e-15);
    EXPECT_NEAR(after.Worst, before.BalancedWorst, 1e-15);
}

}  // namespace
