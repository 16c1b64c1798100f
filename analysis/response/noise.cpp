// Each source is a current pushed into the ladder or a voltage in series
// with the op-amp's + input, so five nodal solutions per frequency carry
// all ten sources to the output.
#include "noise.h"
#include "model/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

using Complex = std::complex<double>;

double Norm(Complex z) {
    return std::norm(z);
}

}  // namespace

NoisePowers OutputNoise(const SignalCircuit& c, double hz) {
    NoisePowers p{};
    const FilterParts parts = DrivenParts(c);
    const Complex s{0, 2 * std::numbers::pi * hz};
    const Complex gain = StageGain(c, s);
    const double fourKT = 4 * kBoltzmann * kNoiseKelvin;

    // 1. Transfer impedances from a current into n1..n4 to the output, and
    //    the gain from a voltage at the + input.
    std::array<Complex, 4> z{};
    for (int k = 0; k < 4; ++k) {
        CircuitDrive d;
        d.Inject[k] = 1;
        z[k] = CircuitNodes(parts, s, gain, d).Out;
    }
    CircuitDrive amp;
    amp.AmpInput = 1;
    const double ampGain = Norm(CircuitNodes(parts, s, gain, amp).Out);

    // 2. The series resistors. The source and R1 share one branch from the
    //    driven input: each one's noise voltage drives e / (R1 + Rs) into n1.
    //    R2..R4 each push 4kT/R from one ladder node into the next.
    const double r1Branch = parts.R1;
    p[kNoiseRs] = fourKT * c.SourceOhms / (r1Branch * r1Branch) * Norm(z[0]);
    p[kNoiseR1] = fourKT * c.Parts.R1 / (r1Branch * r1Branch) * Norm(z[0]);
    p[kNoiseR2] = fourKT / std::abs(parts.R2) * Norm(z[1] - z[0]);
    p[kNoiseR3] = fourKT / std::abs(parts.R3) * Norm(z[2] - z[1]);
    p[kNoiseR4] = fourKT / std::abs(parts.R4) * Norm(z[3] - z[2]);

    // 3. The gain network: each resistor's noise current into the - input
    //    sees R* || RK-R, written without dividing by a zero RK-R.
    const double sum = c.RStarOhms + c.RkrOhms;
    const double rPar = c.RStarOhms * c.RkrOhms / sum;
    p[kNoiseRStar] = fourKT * c.RStarOhms * (c.RkrOhms / sum) * (c.RkrOhms / sum) * ampGain;
    p[kNoiseRkr] =
        fourKT * std::abs(c.RkrOhms) * (c.RStarOhms / sum) * (c.RStarOhms / sum) * ampGain;

    // 4. The op-amp: en with its 1/f part in series with the + input; in at
    //    the + input into the ladder, at the - input through R* || RK-R.
    const double en2 = c.Amp.EnVPerRtHz * c.Amp.EnVPerRtHz;
    const double in2 = c.Amp.InAPerRtHz * c.Amp.InAPerRtHz;
    p[kNoiseEn] = en2 * (1 + c.Amp.FlickerCornerHz / hz) * ampGain;
    p[kNoiseInPlus] = in2 * Norm(z[3]);
    p[kNoiseInMinus] = in2 * rPar * rPar * ampGain;
    return p;
}

double OutputDensity(const SignalCircuit& c, double hz) {
    double total = 0;
    for (double v : OutputNoise(c, hz))
        total += v;
    return std::sqrt(total);
}

namespace {

// The trapezoid rule on u = ln f, where the integrand is S(f) f, as smooth
// as S on a log axis: calls visit(f, weight) at each point.
template <class Visit>
void LogTrapezoid(double lowHz, double highHz, int perDecade, Visit visit) {
    if (!(lowHz > 0) || !(highHz > lowHz)) return;
    const double span = Log(highHz / lowHz);
    const int steps = std::max(2, static_cast<int>(std::ceil(span / Log(10.0) * perDecade)));
    const double h = span / steps;
    for (int k = 0; k <= steps; ++k) {
        const double f = k == steps ? highHz : lowHz * Exp(k * h);
        visit(f, (k == 0 || k == steps ? 0.5 : 1.0) * f * h);
    }
}

}  // namespace

double IntegratePower(const std::function<double(double)>& density, double lowHz, double highHz,
                      int perDecade) {
    double sum = 0;
    LogTrapezoid(lowHz, highHz, perDecade, [&](double f, double w) { sum += w * density(f); });
    return sum;
}

NoiseFigures IntegrateNoise(const SignalCircuit& c, double lowHz, double highHz) {
    NoiseFigures n;
    n.LowHz = lowHz;
    n.HighHz = highHz;
    LogTrapezoid(lowHz, highHz, 200, [&](double f, double w) {
        const NoisePowers p = OutputNoise(c, f);
        for (int k = 0; k < kNoiseSourceCount; ++k)
            n.Share[k] += w * p[k];
    });
    double total = 0;
    for (double power : n.Share)
        total += power;
    for (double& share : n.Share)
        share = total > 0 ? share / total : 0;
    n.OutRms = std::sqrt(total);
    const double dc = Abs(CircuitNodes(DrivenParts(c), 0, StageGain(c, 0), {1}).Out);
    n.InRms = dc > 0 ? n.OutRms / dc : 0;
    return n;
}

}  // namespace velmora
