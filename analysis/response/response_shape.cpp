#include "response_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/portable_math.h"

namespace velmora {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

Polynomial PowerPolynomial(const Polynomial& d, double scale) {
    // D(jw) = R(u) + j*w*I(u) with R = d0 - d2*u + d4*u^2 - ..., I = d1 - d3*u
    // + d5*u^2 - ..., u = w^2; so |D|^2 = R^2 + u*I^2.
    Polynomial re, im;
    double power = 1;
    for (size_t k = 0; k < d.size(); ++k) {
        const double term = d[k] * power / d[0] * ((k / 2) % 2 ? -1 : 1);
        (k % 2 ? im : re).push_back(term);
        power *= scale;
    }
    Polynomial m(re.size() + im.size() + 1, 0.0);
    for (size_t a = 0; a < re.size(); ++a)
        for (size_t b = 0; b < re.size(); ++b)
            m[a + b] += re[a] * re[b];
    for (size_t a = 0; a < im.size(); ++a)
        for (size_t b = 0; b < im.size(); ++b)
            m[a + b + 1] += im[a] * im[b];
    while (m.size() > 1 && m.back() == 0)
        m.pop_back();
    return m;
}

ResponseShape ShapeOfDenominator(const Polynomial& d) {
    ResponseShape shape;
    if (d.size() < 5 || d[0] == 0 || !std::isfinite(d[0])) return shape;
    const std::vector<Complex> poles = PolynomialRoots(d);
    if (poles.size() < 4) return shape;

    // 1. Pole pairs.
    shape.Stable = true;
    for (const Complex& p : poles)
        shape.Stable = shape.Stable && p.real() < 0;
    const std::vector<PoleCouple> couples = CouplePoles(poles, &shape.ExtraPoleHz);
    if (couples.size() != 2) return shape;
    shape.Pairs[0] = couples[0].Pair;
    shape.Pairs[1] = couples[1].Pair;

    // 2. -3 dB: the first u where |D|^2 reaches twice |D(0)|^2. Work in units
    //    of the geometric-mean pole frequency so the coefficients stay near 1.
    const double scale = std::sqrt(shape.Pairs[0].F0Hz * shape.Pairs[1].F0Hz) * kTwoPi;
    Polynomial m = PowerPolynomial(d, scale);
    Polynomial crossing = m;
    crossing[0] -= 2;
    shape.Minus3dBHz = std::sqrt(SmallestPositiveRealRoot(crossing)) * scale / kTwoPi;

    // 3. Peaking: the smallest |D|^2 over u >= 0 is at u = 0 or at a real
    //    positive root of its derivative.
    //    Past a Q of some 1e7 the least |D|^2 is lost in the rounding of its
    //    terms; their rounding is then the most that can be said of it (not
    //    zero or below: an infinite or NaN peaking).
    Polynomial size = m;
    for (double& c : size)
        c = std::fabs(c);
    double least = 1;
    for (const Complex& u : PolynomialRoots(Derivative(m))) {
        if (u.real() <= 0 || std::fabs(u.imag()) > 1e-6 * Abs(u)) continue;
        least = std::min(least, std::max(EvaluatePolynomial(m, u.real()).real(),
                                         EvaluatePolynomial(size, u.real()).real() * 0x1p-52));
    }
    shape.PeakingDb = least < 1 ? -10 * Log10(least) : 0;
    shape.Valid = true;
    return shape;
}

}  // namespace velmora
