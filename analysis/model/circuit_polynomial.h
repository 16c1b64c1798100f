// The circuit's transfer function as polynomials in s, from the part values.
//
// H(s) = K * G1*G2*G3*G4 / D(s), with D(s) = Base(s) + K * Gain(s): every
// coefficient is a sum of products of conductances and capacitances, and
// the amplifier gain K enters linearly. Keeping the two halves apart lets a
// finite gain-bandwidth op-amp replace K by K / (1 + s*K/wt) without a new
// derivation, and makes the sensitivity to K exact.
//
//   FilterParts p{1194.2, 4282, 4282, 293, 1e-7, 1e-7, 1e-7, 1e-7, 2.038};
//   CircuitPolynomial c = CircuitPolynomialOf(p);
//   Polynomial d = IdealDenominator(c, p.K);   // 4 degrees, d[0] = G1*G2*G3*G4
#pragma once

#include "circuit.h"
#include "polynomial.h"

namespace velmora {

struct CircuitPolynomial {
    double Base[5] = {};   // coefficients of s^0 .. s^4 not multiplied by K
    double Gain[5] = {};   // coefficients of s^0 .. s^4 multiplied by K
    double Numerator = 0;  // G1*G2*G3*G4; the numerator of H is K times this
};

// Conductances and capacitances in one place, so that a caller can zero one
// element to split off its terms (every coefficient is affine in each).
struct CircuitElements {
    double G[4] = {};  // 1/R1 .. 1/R4
    double C[4] = {};  // C1 .. C4
    double K = 0;
};

CircuitElements ElementsOf(const FilterParts& parts);
CircuitPolynomial CircuitPolynomialOf(const CircuitElements& e);
CircuitPolynomial CircuitPolynomialOf(const FilterParts& parts);

// D(s) with an ideal amplifier of gain k.
Polynomial IdealDenominator(const CircuitPolynomial& c, double k);

}  // namespace velmora
