// What a low-pass with a constant numerator does, read off its denominator:
// pole pairs, -3 dB frequency and peaking. Closed-form on the polynomial,
// with no frequency sweep, so that a Monte Carlo run can afford it per trial.
//
//   Polynomial d = {1, 1.414213562 / w, 1 / (w*w)};    // 2nd-order Butterworth at w
//   ResponseShape r = ShapeOfDenominator(d);
//   // r.Pairs[0] = {w / 2pi, 0.7071}, r.Minus3dBHz = w / 2pi, r.PeakingDb = 0
#pragma once

#include "model/circuit.h"
#include "model/polynomial.h"

namespace velmora {

struct ResponseShape {
    bool Valid = false;      // two pole pairs were found
    bool Stable = false;     // every pole in the left half-plane
    PolePair Pairs[2];       // lower Q first; two real poles make a pair of Q <= 0.5
    double ExtraPoleHz = 0;  // a fifth, real pole (finite gain-bandwidth), else 0
    double Minus3dBHz = 0;   // first frequency 3 dB below the DC gain
    double PeakingDb = 0;    // highest gain at any frequency above the DC gain, >= 0
};

// The denominator of H(s) = N / D(s), degree 4 or 5, lowest power first.
ResponseShape ShapeOfDenominator(const Polynomial& d);

// |D(j w)|^2 / D(0)^2 as a polynomial in u = (w / scale)^2.
Polynomial PowerPolynomial(const Polynomial& d, double scale);

}  // namespace velmora
