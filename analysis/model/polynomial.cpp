#include "polynomial.h"

#include <Eigen/Eigenvalues>
#include <cmath>

#include "portable_math.h"

namespace velmora {

namespace {

// Small fixed capacity keeps the companion matrix off the heap: the Monte
// Carlo run finds some 30,000 sets of roots. Twelve: the residual of the
// design equation as a polynomial (alternatives.cpp).
constexpr int kMaxDegree = 12;
using Companion = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, kMaxDegree, kMaxDegree>;

Complex Polish(const Polynomial& p, const Polynomial& dp, Complex z) {
    for (int step = 0; step < 3; ++step) {
        const Complex slope = EvaluatePolynomial(dp, z);
        if (slope == Complex(0, 0)) break;
        const Complex next = z - EvaluatePolynomial(p, z) / slope;
        if (!std::isfinite(next.real()) || !std::isfinite(next.imag())) break;
        // Keep the step only when it improves the residual: near a double root
        // Newton can wander.
        if (Abs(EvaluatePolynomial(p, next)) > Abs(EvaluatePolynomial(p, z))) break;
        z = next;
    }
    return z;
}

}  // namespace

Complex EvaluatePolynomial(const Polynomial& p, Complex s) {
    Complex sum = 0;
    for (size_t k = p.size(); k-- > 0;)
        sum = sum * s + p[k];
    return sum;
}

Polynomial Derivative(const Polynomial& p) {
    Polynomial d;
    for (size_t k = 1; k < p.size(); ++k)
        d.push_back(static_cast<double>(k) * p[k]);
    return d;
}

std::vector<Complex> PolynomialRoots(const Polynomial& p) {
    // 1. Drop zero leading coefficients and split off roots at zero.
    size_t high = p.size();
    while (high > 0 && p[high - 1] == 0)
        --high;
    size_t low = 0;
    while (low < high && p[low] == 0)
        ++low;
    std::vector<Complex> roots(low, Complex(0, 0));
    if (high == 0 || high - low < 2) return roots;
    const int n = static_cast<int>(high - low - 1);
    if (n > kMaxDegree) return roots;

    // 2. Rescale s = sigma*z so that the constant and leading coefficients
    //    have equal magnitude, then make the polynomial monic.
    const double a0 = p[low], an = p[high - 1];
    const double sigma = Pow(std::fabs(a0 / an), 1.0 / n);
    if (!std::isfinite(sigma) || sigma == 0) return roots;
    Companion m = Companion::Zero(n, n);
    double scale = 1;  // sigma^(k - n)
    for (int k = n - 1; k >= 0; --k) {
        scale /= sigma;
        m(k, n - 1) = -p[low + static_cast<size_t>(k)] * scale / an;
        if (k > 0) m(k, k - 1) = 1;
    }

    // 3. Eigenvalues of the companion matrix, scaled back and polished.
    Eigen::EigenSolver<Companion> solver(m, false);
    if (solver.info() != Eigen::Success) return roots;
    const Polynomial reduced(p.begin() + static_cast<long>(low),
                             p.begin() + static_cast<long>(high));
    const Polynomial slope = Derivative(reduced);
    for (int k = 0; k < n; ++k)
        roots.push_back(Polish(reduced, slope, solver.eigenvalues()[k] * sigma));
    return roots;
}

double SmallestPositiveRealRoot(const Polynomial& p) {
    double best = NAN;
    for (const Complex& z : PolynomialRoots(p)) {
        if (std::fabs(z.imag()) > 1e-6 * Abs(z) || z.real() <= 0) continue;
        if (std::isnan(best) || z.real() < best) best = z.real();
    }
    return best;
}

}  // namespace velmora
