// Sensitivities of each pole pair's f0 and Q to each part:
// S(y, x) = (x / y) * dy/dx, the percent change of y per percent change of x.
//
// From the derivative of each pair's quadratic factor of the denominator
// (see sensitivity.cpp), not from finite differences, so they are exact to
// rounding and cheap, and stay so at a double real pole (AF = 2).
//
//   PoleSensitivities s = SensitivitiesOf(parts);   // Butterworth, equal C
//   s.F0[0][kPartC1]   -> about -0.25 ... ; the four C of each pair sum to -1
//   s.F0[i][kPartR1] + ... + s.F0[i][kPartR4] -> -1 (impedance scaling)
#pragma once

#include "model/circuit.h"

namespace velmora {

enum PartIndex {
    kPartR1,
    kPartR2,
    kPartR3,
    kPartR4,
    kPartC1,
    kPartC2,
    kPartC3,
    kPartC4,
    kPartK,
    kPartCount
};

// "R1" .. "R4", "C1" .. "C4", "K".
const char* PartName(int part);

struct PoleSensitivities {
    bool Valid = false;
    PolePair Pairs[2];  // lower Q first, as AnalyseCircuit orders them
    double F0[2][kPartCount] = {};
    double Q[2][kPartCount] = {};
};

PoleSensitivities SensitivitiesOf(const FilterParts& parts);

// The largest |S| over both pairs, f0 and Q and every part: one figure to
// compare designs by.
double WorstSensitivity(const PoleSensitivities& s);

// The value of one part, by index (ohms, farads or the gain).
double& PartValue(FilterParts& parts, int part);

}  // namespace velmora
