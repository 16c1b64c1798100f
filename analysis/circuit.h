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

#include <complex>
#include <vector>

// Scaled component values in ohms and farads; K = 1 + (RK-R) / R*.
struct FilterParts {
    double R1 = 0, R2 = 0, R3 = 0, R4 = 0;
    double C1 = 0, C2 = 0, C3 = 0, C4 = 0;
    double K = 0;
};

// One complex-conjugate pole pair (or two real poles) as natural frequency and Q.
struct PolePair {
    double F0Hz = 0;
    double Q = 0;
};

struct CircuitAnalysis {
    bool Valid = false;         // false when the parts give no fourth-order denominator
    double DcGain = 0;          // H(0)
    PolePair Pairs[2];          // lower Q first
    double Minus3dBHz = 0;      // first frequency where |H| falls 3 dB below |H(0)|
    double PeakingDb = 0;       // max |H| over the passband relative to |H(0)|, >= 0
    bool Stable = false;        // every pole in the left half-plane
};

// Transfer function H(j 2 pi f) from the component values.
std::complex<double> CircuitResponse(const FilterParts& parts, double hz);

CircuitAnalysis AnalyseCircuit(const FilterParts& parts);
