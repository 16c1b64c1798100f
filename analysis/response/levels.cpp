#include "levels.h"
#include "model/portable_math.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

#include "response.h"

namespace velmora {

namespace {

using Complex = std::complex<double>;

NodeVoltages Solve(const SignalCircuit& c, double hz) {
    const Complex s{0, 2 * std::numbers::pi * hz};
    return CircuitNodes(DrivenParts(c), s, StageGain(c, s), {1});
}

double NodeGain(const NodeVoltages& v, int node) {
    return Abs(node == kNodeOut ? v.Out : v.Ladder[node]);
}

// The output's currents per volt of input at hz.
std::array<double, kCurrentCount> CurrentsPerVolt(const SignalCircuit& c, double hz) {
    const NodeVoltages v = Solve(c, hz);
    const Complex s{0, 2 * std::numbers::pi * hz};
    std::array<Complex, kCurrentCount> i{};
    i[kCurrentC1] = (v.Out - v.Ladder[kNodeN1]) * s * c.Parts.C1;
    i[kCurrentC3] = (v.Out - v.Ladder[kNodeN3]) * s * c.Parts.C3;
    i[kCurrentGain] = v.Out / (c.RStarOhms + c.RkrOhms);
    i[kCurrentLoad] = c.LoadOhms > 0 ? v.Out / c.LoadOhms : 0.0;
    i[kCurrentTotal] = i[kCurrentC1] + i[kCurrentC3] + i[kCurrentGain] + i[kCurrentLoad];
    std::array<double, kCurrentCount> m{};
    for (int k = 0; k < kCurrentCount; ++k)
        m[k] = Abs(i[k]);
    return m;
}

// The largest of f over DC and the grid, the grid's maximum refined by
// golden section in log frequency between its neighbours.
Peak Maximum(const std::function<double(double)>& f, const std::vector<double>& grid) {
    Peak best{f(0), 0};
    size_t at = grid.size();
    for (size_t k = 0; k < grid.size(); ++k) {
        const double v = f(grid[k]);
        if (v > best.Value) best = {v, grid[k]}, at = k;
    }
    if (at == grid.size() || at == 0 || at + 1 == grid.size()) return best;
    double a = Log(grid[at - 1]), b = Log(grid[at + 1]);
    const double r = (std::sqrt(5.0) - 1) / 2;
    for (int k = 0; k < 60; ++k) {
        const double x1 = b - r * (b - a), x2 = a + r * (b - a);
        if (f(Exp(x1)) > f(Exp(x2)))
            b = x2;
        else
            a = x1;
    }
    const double hz = Exp((a + b) / 2);
    const double v = f(hz);
    return v > best.Value ? Peak{v, hz} : best;
}

}  // namespace

std::array<double, kNodeCount> NodeGains(const SignalCircuit& c, double hz) {
    const NodeVoltages v = Solve(c, hz);
    std::array<double, kNodeCount> g{};
    for (int k = 0; k < kNodeCount; ++k)
        g[k] = NodeGain(v, k);
    return g;
}

LevelFigures MeasureLevels(const SignalCircuit& c, double lowHz, double highHz) {
    LevelFigures l;
    l.LowHz = lowHz;
    l.HighHz = highHz;
    const int count = std::max(2, static_cast<int>(std::ceil(Log10(highHz / lowHz) * 100)) + 1);
    const std::vector<double> grid = LogFrequencies(lowHz, highHz, count);

    // 1. Each node's peak.
    for (int n = 0; n < kNodeCount; ++n)
        l.Peaks[n] = Maximum([&](double hz) { return NodeGain(Solve(c, hz), n); }, grid);

    // 2. The largest input: n4 against the inputs' range, the output
    //    against its swing, each at its own peak.
    const double byInput = c.Amp.InputPeak() / l.Peaks[kNodeN4].Value;
    const double byOutput = c.Amp.OutputPeak() / l.Peaks[kNodeOut].Value;
    l.Limiting = byInput < byOutput ? kNodeN4 : kNodeOut;
    l.LargestSine = std::min(byInput, byOutput);

    // 3. At DC n4 follows the input and the output is K times it; the
    //    inputs' range may sit off the middle.
    const std::array<double, kNodeCount> dc = NodeGains(c, 0);
    const double half = c.Amp.SupplyV / 2;
    const double outLimit = c.Amp.OutputPeak() / dc[kNodeOut];
    l.DcHigh = std::max(0.0, std::min((half - c.Amp.CmHighHeadroomV) / dc[kNodeN4], outLimit));
    l.DcLow = -std::max(0.0, std::min((half - c.Amp.CmLowHeadroomV) / dc[kNodeN4], outLimit));

    // 4. Currents and slew at the largest sine.
    for (int k = 0; k < kCurrentCount; ++k) {
        l.Currents[k] = Maximum([&](double hz) { return CurrentsPerVolt(c, hz)[k]; }, grid);
        l.Currents[k].Value *= l.LargestSine;
    }
    l.SlewNeeded = Maximum(
        [&](double hz) { return 2 * std::numbers::pi * hz * NodeGain(Solve(c, hz), kNodeOut); },
        grid);
    l.SlewNeeded.Value *= l.LargestSine;
    return l;
}

}  // namespace velmora
