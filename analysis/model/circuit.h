// The realised circuit, solved from its component values alone.
//
// An independent model of the four-pole, one-op-amp low-pass filter that the
// engine designs: IN - R1 - n1 - R2 - n2 - R3 - n3 - R4 - n4 - (+) amplifier
// of gain K; C1 from n1 and C3 from n3 to the output, C2 from n2 and C4 from
// n4 to ground. It is solved by nodal analysis, never from the design
// equations, so that it checks them.
//
//   FilterParts parts{1194.2, 4282, 4282, 293, 0.1e-6, 0.1e-6, 0.1e-6, 0.1e-6, 2.038};
//   CircuitResponse(parts, 0)  ~ 2.038;   CircuitPoles(parts): two pairs at 1000 Hz
//   (AnalyseCircuit in response/response.h gives their figures)
#pragma once

#include <array>
#include <complex>
#include <vector>

#include "pole_pairs.h"

namespace velmora {

// Scaled component values in ohms and farads; K = 1 + (RK-R) / R*.
struct FilterParts {
    double R1 = 0, R2 = 0, R3 = 0, R4 = 0;
    double C1 = 0, C2 = 0, C3 = 0, C4 = 0;
    double K = 0;
};

// The gain network of the non-inverting amplifier, both ways round.
//   GainOf(2076, 2000) -> 2.038       RkrFor(2.038, 2000) -> 2076
inline double GainOf(double rkrOhms, double rstarOhms) {
    return 1 + rkrOhms / rstarOhms;
}
inline double RkrFor(double k, double rstarOhms) {
    return (k - 1) * rstarOhms;
}

// Transfer function H(j 2 pi f) from the component values.
std::complex<double> CircuitResponse(const FilterParts& parts, double hz);

// True when every part is finite and non-zero: then the nodal equations have
// four capacitor states and a fourth-order denominator. Negative values pass.
bool PartsAreSolvable(const FilterParts& parts);

// The general nodal solution at a complex frequency s (rad/s) with an
// amplifier of complex gain `gain` in place of K: Vout / Vin. A frequency-
// dependent amplifier enters only through its closed-loop gain at s.
//
//   CircuitTransfer(parts, {0, 2 * pi * 1000}, parts.K) == CircuitResponse(parts, 1000)
std::complex<double> CircuitTransfer(const FilterParts& parts, std::complex<double> s,
                                     std::complex<double> gain);

// What drives the circuit: the input voltage, a voltage in series with the
// amplifier's + input (its noise or offset: the output is gain * (v4 +
// AmpInput)), and a current pushed into each ladder node n1..n4.
struct CircuitDrive {
    std::complex<double> Input = 0;
    std::complex<double> AmpInput = 0;
    std::array<std::complex<double>, 4> Inject{};
};

// Every node's voltage: the ladder n1..n4 and the output.
struct NodeVoltages {
    std::array<std::complex<double>, 4> Ladder{};
    std::complex<double> Out = 0;
};

// The nodal solution for any drive at s, with an amplifier of complex gain
// `gain`: NaN everywhere when !PartsAreSolvable(parts).
//
//   CircuitNodes(parts, s, parts.K, {1}).Out == CircuitTransfer(parts, s, parts.K)
//   CircuitNodes(parts, 0, k, {0, 0, {0, 0, 0, 1e-3}}).Ladder[3] -> 1e-3 (R1+R2+R3+R4):
//   at DC the capacitors are open and 1 mA into n4 runs back to the input.
NodeVoltages CircuitNodes(const FilterParts& parts, std::complex<double> s,
                          std::complex<double> gain, const CircuitDrive& drive);

// The four poles (rad/s) of the nodal equations: the eigenvalues of the
// state matrix -C^-1 G. Empty when !PartsAreSolvable(parts).
std::vector<std::complex<double>> CircuitPoles(const FilterParts& parts);

// Group delay -d(phase)/d(omega) in seconds, exact (from the derivative of
// the nodal solution, not a difference quotient).
double CircuitGroupDelay(const FilterParts& parts, double hz);

// Phase in degrees, continuous from 0 at DC (180 for a negative K): a
// fourth-order low-pass runs from 0 down to -360.
double CircuitPhaseDeg(const FilterParts& parts, double hz);

// Open-loop DC gain of the single-pole op-amp model: 100 dB.
inline constexpr double kOpAmpOpenLoopGain = 1e5;

// Closed-loop gain of a non-inverting stage set to K around a single-pole
// op-amp A(s) = A0 / (1 + s A0 / (2 pi GBW)): A / (1 + A / K). gbwHz <= 0
// means an ideal amplifier, which gives K.
//
//   SinglePoleStageGain(2, 1e6, {0, 0}) ~ 2 * (1 - 2e-5)
std::complex<double> SinglePoleStageGain(double k, double gbwHz, std::complex<double> s);

}  // namespace velmora
