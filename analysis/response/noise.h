// Noise at the filter's output: every resistor's thermal noise (4kTR), the
// op-amp's voltage noise en with its 1/f corner and its current noise in at
// each input, each carried to the output by the nodal solution.
//
//   NoisePowers p = OutputNoise(circuit, 1000);   // V^2/Hz per source
//   NoiseFigures n = IntegrateNoise(circuit, 1, 10e3);
//   // n.OutRms ~ 4 uV; n.Share[kEn] ~ 0.6; n.InRms = n.OutRms / K
#pragma once

#include <array>
#include <functional>

#include "model/signal_circuit.h"

namespace velmora {

// The sources in the order reports list them.
enum NoiseSourceId {
    kNoiseRs,
    kNoiseR1,
    kNoiseR2,
    kNoiseR3,
    kNoiseR4,
    kNoiseRStar,
    kNoiseRkr,
    kNoiseEn,
    kNoiseInPlus,
    kNoiseInMinus,
    kNoiseSourceCount
};
inline constexpr const char* kNoiseSourceNames[kNoiseSourceCount] = {
    "source", "R1", "R2", "R3", "R4", "R*", "RK-R", "en", "in+", "in-"};

using NoisePowers = std::array<double, kNoiseSourceCount>;

// Each source's power density at the output, V^2/Hz, at hz > 0.
NoisePowers OutputNoise(const SignalCircuit& circuit, double hz);

// The integral of a power density over [lowHz, highHz], by the trapezoid
// rule in log frequency at `perDecade` points a decade: exact to about
// 1e-5 for the smooth densities of a filter at 200.
//
//   IntegratePower([](double f) { return 1 / (1 + f * f); }, 1e-6, 1e6, 200) ~ pi / 2
double IntegratePower(const std::function<double(double hz)>& density, double lowHz, double highHz,
                      int perDecade = 200);

struct NoiseFigures {
    double LowHz = 0, HighHz = 0;  // the band
    double OutRms = 0;             // V rms at the output over the band
    double InRms = 0;              // the same referred to the input: OutRms / |H(0)|
    std::array<double, kNoiseSourceCount> Share{};  // fractions of the output power
};

NoiseFigures IntegrateNoise(const SignalCircuit& circuit, double lowHz, double highHz);

// The output density, V/sqrt(Hz), of all sources together.
double OutputDensity(const SignalCircuit& circuit, double hz);

}  // namespace velmora
