// ShapeOfDenominator for the fourth-order denominators of a tolerance run,
// at a small fraction of its cost: Newton on the factorisation into two
// quadratics from a guess near the answer, and real roots by bracketing
// between the turning points, instead of three companion-matrix eigenvalue
// problems. Both are polished to the last bits, so the two agree to rounding
// (a few units in the last place) whenever both apply.
//
// Denominators outside its reach (four real poles, a factorisation that
// does not converge, anything non-finite) go to ShapeOfDenominator itself,
// so the answer never depends on which path took it beyond that rounding.
//
//   QuarticShaper shaper(ShapeOfDenominator(nominal));   // the guess
//   ResponseShape s = shaper.Shape(d, ShapeParts::All);   // ~ ShapeOfDenominator(d)
#pragma once

#include "response_shape.h"

namespace velmora {

// What a caller reads from the shape. The pole pairs, Valid and Stable are
// always filled; the -3 dB frequency and the peaking cost a root search
// each, and only for a stable denominator.
enum class ShapeParts { PolesOnly, Minus3dB, Peaking, All };

class QuarticShaper {
public:
    // The pole pairs of a denominator near those to come; any shape will do
    // (an invalid one gives a neutral guess), it only speeds convergence.
    explicit QuarticShaper(const ResponseShape& near);

    // d: five coefficients, lowest power first. Thread-safe.
    ResponseShape Shape(const double (&d)[5], ShapeParts parts) const;

private:
    double guessB_[2], guessC_[2];  // s^2 + B s + C per pair, rad/s
    double hint3dB_;                // (w at -3 dB)^2 over the pairs' geometric mean
};

}  // namespace velmora
