// Real polynomials in s as coefficient lists, lowest power first, and their
// complex roots.
//
//   Polynomial p = {2, -3, 1};               // 2 - 3s + s^2
//   EvaluatePolynomial(p, 1.0)   -> 0
//   PolynomialRoots(p)           -> {1, 2} (in some order)
#pragma once

#include <complex>
#include <vector>

namespace velmora {

using Polynomial = std::vector<double>;
using Complex = std::complex<double>;

Complex EvaluatePolynomial(const Polynomial& p, Complex s);
Polynomial Derivative(const Polynomial& p);

// All roots of p, as many as its degree once zero leading coefficients are
// dropped; none above degree 12. Found as eigenvalues of the companion matrix
// of p rescaled to unit geometric-mean root magnitude (the coefficients of a
// kilohertz filter span thirty decades otherwise), then polished by Newton
// steps on p itself.
std::vector<Complex> PolynomialRoots(const Polynomial& p);

// The smallest real root of p in (0, inf), or NaN when there is none. A root
// counts as real when its imaginary part is below 1e-6 of its magnitude.
double SmallestPositiveRealRoot(const Polynomial& p);

}  // namespace velmora
