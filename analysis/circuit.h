// The realised circuit, solved from its component values alone.
//
// An independent model of the four-pole, one-op-amp low-pass filter that the
// engine designs: IN - R1 - n1 - R2 - n2 - R3 - n3 - R4 - n4 - (+) amplifier
// of gain K; C1 from n1 and C3 from n3 to the output, C2 from n2 and C4 from
// n4 to ground. It is solved by nodal analysis, never from the design
// equations, so that it checks them.
//
//   FilterParts parts{1194.2, 4282, 4282, 293, 0.1e-6, 0.1e-6, 0.1e-6, 0.1e-6, 2.038};
//   CircuitAnalysis a = AnalyseCircuit(parts);
//   // a.DcGain ~ 2.038, a.Minus3dBHz ~ 1000, a.Pairs[*].F0Hz ~ 1000
#pragma once

#include <array>
#include <complex>
#include <vector>

// Scaled component values in ohms and farads; K = 1 + (RK-R) / R*.
struct FilterParts {
    double R1 = 0, R2 = 0, R3 = 0, R4 = 0;
    double C1 = 0, C2 = 0, C3 = 0, C4 = 0;
    double K = 0;
};

// One complex-conjugate pole pair (or two real poles) as natural frequency and Q.
// A negative Q marks a pair in the right half-plane.
struct PolePair {
    double F0Hz = 0;
    double Q = 0;
};

struct CircuitAnalysis {
    bool Valid = false;     // false when the parts give no fourth-order denominator
    double DcGain = 0;      // H(0)
    PolePair Pairs[2];      // lower Q first
    double Minus3dBHz = 0;  // first frequency where |H| falls 3 dB below |H(0)|
    double PeakingDb = 0;   // max |H| at any frequency relative to |H(0)|, >= 0
    bool Stable = false;    // every pole in the left half-plane
    double PeakHz = 0;      // where the peaking is; 0 when |H| never rises above |H(0)|
};

// Transfer function H(j 2 pi f) from the component values.
std::complex<double> CircuitResponse(const FilterParts& parts, double hz);

CircuitAnalysis AnalyseCircuit(const FilterParts& parts);

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

// Groups four poles into two pairs, lower Q first: complex poles with their
// conjugates, real poles by ascending magnitude.
std::array<PolePair, 2> PairPoles(const std::vector<std::complex<double>>& poles);

// The pair whose section is (s - p)(s - q): omega0^2 = |p q|, omega0 / Q = -(p + q).
PolePair PairFromPoles(std::complex<double> p, std::complex<double> q);

// The two roots (rad/s) of s^2 + (w/Q) s + w^2, w = 2 pi F0Hz.
// PolesOfPair({1, 0.5}) -> {-2 pi, -2 pi}
std::array<std::complex<double>, 2> PolesOfPair(const PolePair& pair);
