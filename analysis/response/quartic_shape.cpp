#include "quartic_shape.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/portable_math.h"

namespace velmora {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kMaxSteps = 60;

// Horner, in the order EvaluatePolynomial uses, so that a value at the same
// point has the same bits.
double Evaluate(const double* p, int degree, double x) {
    double sum = 0;
    for (int k = degree; k >= 0; --k)
        sum = sum * x + p[k];
    return sum;
}

// The root of p in [lo, hi], where p changes sign: Newton from start while
// it stays inside the bracket, halving otherwise, until the step reaches
// rounding.
double RootBetween(const double (&p)[5], double lo, double hi, double start) {
    const double slope[4] = {p[1], 2 * p[2], 3 * p[3], 4 * p[4]};
    const bool risingAtLo = Evaluate(p, 4, lo) < 0;
    double x = start > lo && start < hi ? start : 0.5 * (lo + hi);
    for (int step = 0; step < kMaxSteps * 2; ++step) {
        const double value = Evaluate(p, 4, x);
        if (value == 0) return x;
        ((value < 0) == risingAtLo ? lo : hi) = x;
        double next = x - value / Evaluate(slope, 3, x);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (std::fabs(next - x) <= 4e-16 * std::fabs(x) || next == lo || next == hi) return next;
        x = next;
    }
    return x;
}

// Real roots of q[3] u^3 + ... + q[0] (q[3] > 0), ascending, in closed form
// and then polished as PolynomialRoots polishes: up to three Newton steps,
// each kept only when it lowers the residual. A double root may come out as
// none; the callers allow for that (it is neither an extremum nor a
// crossing).
int CubicRoots(const double (&q)[4], double (&roots)[3]) {
    const double a = q[2] / q[3], b = q[1] / q[3], c = q[0] / q[3];
    const double shift = a / 3, p = b - a * shift, h = 2 * shift * shift * shift - shift * b + c;
    const double disc = h * h / 4 + p * p * p / 27;
    int count = 0;
    if (disc > 0) {
        const double r = std::cbrt(-h / 2 - std::copysign(std::sqrt(disc), h));
        roots[count++] = (r != 0 ? r - p / (3 * r) : 0) - shift;
    } else if (p < 0) {
        const double m = 2 * std::sqrt(-p / 3);
        const double angle = std::acos(std::clamp(3 * h / (p * m), -1.0, 1.0)) / 3;
        for (int k = 0; k < 3; ++k)
            roots[count++] = m * std::cos(angle - 2 * std::numbers::pi * k / 3) - shift;
    } else {
        roots[count++] = -shift;
    }
    const double slope[3] = {q[1], 2 * q[2], 3 * q[3]};
    for (int k = 0; k < count; ++k) {
        double& z = roots[k];
        for (int step = 0; step < 3; ++step) {
            const double d = Evaluate(slope, 2, z);
            if (d == 0) break;
            const double next = z - Evaluate(q, 3, z) / d;
            if (!std::isfinite(next) ||
                std::fabs(Evaluate(q, 3, next)) > std::fabs(Evaluate(q, 3, z)))
                break;
            z = next;
        }
    }
    std::sort(roots, roots + count);
    return count;
}

// z^4 + a3 z^3 + a2 z^2 + a1 z + a0 = (z^2 + b1 z + c1)(z^2 + b2 z + c2):
// Newton on (b1, c1) for a zero remainder (Bairstow), the second factor the
// quotient; one more step after the step falls to 1e-12 settles them at
// rounding. f = {b1, c1, b2, c2}, f[0] and f[1] the guess on entry.
bool Factor(const double (&a)[4], double (&f)[4]) {
    double b1 = f[0], c1 = f[1], b2 = 0, c2 = 0;
    bool settling = false;
    for (int step = 0; step < kMaxSteps; ++step) {
        b2 = a[3] - b1;
        c2 = a[2] - b1 * b2 - c1;
        const double r1 = a[1] - b1 * c2 - b2 * c1, r0 = a[0] - c1 * c2;
        // Derivatives of (r1, r0) with respect to (b1, c1).
        const double spread = b1 - b2;
        const double j11 = c1 - c2 - b1 * spread, j12 = spread;
        const double j21 = -c1 * spread, j22 = c1 - c2;
        const double det = j11 * j22 - j12 * j21;
        if (det == 0 || !std::isfinite(det)) return false;
        const double db = (r1 * j22 - j12 * r0) / det, dc = (j11 * r0 - r1 * j21) / det;
        b1 -= db;
        c1 -= dc;
        if (!std::isfinite(b1) || !std::isfinite(c1)) return false;
        if (settling) break;
        settling = std::max(std::fabs(db), std::fabs(dc)) <= 1e-12;
        if (step + 1 == kMaxSteps) return false;
    }
    f[0] = b1, f[1] = c1;
    f[2] = a[3] - b1;
    f[3] = a[2] - b1 * f[2] - c1;
    return true;
}

// A complex pair, clear of the real axis by more than ShapeOfDenominator's
// own test for a real pole (1e-9). With one such pair it pairs the other two
// poles together as well, complex or real, so both ways give the same pairs.
bool ComplexPair(double b, double c) {
    return c > 0 && 4 * c - b * b > 4e-12 * c;
}

}  // namespace

QuarticShaper::QuarticShaper(const ResponseShape& near) {
    const double w[2] = {kTwoPi * near.Pairs[0].F0Hz, kTwoPi * near.Pairs[1].F0Hz};
    const bool usable = near.Valid && w[0] > 0 && w[1] > 0 && near.Pairs[0].Q > 0 &&
                        near.Pairs[1].Q > 0 && std::isfinite(w[0] * w[1]);
    for (int i = 0; i < 2; ++i) {
        guessB_[i] = usable ? w[i] / near.Pairs[i].Q : 0;
        guessC_[i] = usable ? w[i] * w[i] : 0;
    }
    const double scale = usable ? std::sqrt(w[0] * w[1]) : 0;
    hint3dB_ = usable ? kTwoPi * near.Minus3dBHz / scale * (kTwoPi * near.Minus3dBHz / scale) : 0;
}

ResponseShape QuarticShaper::Shape(const double (&d)[5], ShapeParts parts) const {
    // 1. Poles: scale s = sigma z so that the monic polynomial ends in 1.
    const double sigma = std::sqrt(std::sqrt(d[0] / d[4])), sigma2 = sigma * sigma;
    double a[4] = {d[0] / d[4] / (sigma2 * sigma2), d[1] / d[4] / (sigma2 * sigma),
                   d[2] / d[4] / sigma2, d[3] / d[4] / sigma};
    double f[4] = {1.4, 1, 0.7, 1};
    if (guessC_[0] > 0)
        for (int i = 0; i < 2; ++i)
            f[2 * i] = guessB_[i] / sigma, f[2 * i + 1] = guessC_[i] / sigma2;
    if (!(d[0] > 0) || !std::isfinite(sigma) || !std::isfinite(d[1] + d[2] + d[3]) ||
        !Factor(a, f) || !(f[1] > 0 && f[3] > 0) ||
        !(ComplexPair(f[0], f[1]) || ComplexPair(f[2], f[3])))
        return ShapeOfDenominator(Polynomial(d, d + 5));
    ResponseShape shape;
    for (int i = 0; i < 2; ++i) {
        const double b = f[2 * i] * sigma, w0 = std::sqrt(f[2 * i + 1] * sigma2);
        shape.Pairs[i] = {w0 / kTwoPi, w0 / b};
    }
    if (shape.Pairs[1].Q < shape.Pairs[0].Q) std::swap(shape.Pairs[0], shape.Pairs[1]);
    shape.Valid = true;
    shape.Stable = f[0] > 0 && f[2] > 0;
    if (!shape.Stable || parts == ShapeParts::PolesOnly) return shape;

    // 2. |D(jw)|^2 / D(0)^2 as ShapeOfDenominator forms it, and its turning
    //    points; between them it is monotonic.
    const double scale = std::sqrt(shape.Pairs[0].F0Hz * shape.Pairs[1].F0Hz) * kTwoPi;
    double re[3], im[2], power = 1;
    for (int k = 0; k < 5; ++k) {
        const double term = d[k] * power / d[0] * ((k / 2) % 2 ? -1 : 1);
        (k % 2 ? im[k / 2] : re[k / 2]) = term;
        power *= scale;
    }
    double m[5] = {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            m[i + j] += re[i] * re[j];
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            m[i + j + 1] += im[i] * im[j];
    const double slope[4] = {m[1], 2 * m[2], 3 * m[3], 4 * m[4]};
    double turns[3];
    const int turnCount = CubicRoots(slope, turns);

    // 3. -3 dB: the first crossing of 2, from m(0) = 1 up to the first
    //    turning point that reaches 2 (or beyond the last).
    if (parts != ShapeParts::Peaking) {
        double crossing[5] = {m[0] - 2, m[1], m[2], m[3], m[4]};
        double lo = 0, hi = 0;
        for (int k = 0; k < turnCount && hi == 0; ++k) {
            if (turns[k] <= lo) continue;
            if (Evaluate(crossing, 4, turns[k]) >= 0)
                hi = turns[k];
            else
                lo = turns[k];
        }
        if (hi == 0) {
            hi = std::max(lo, 1.0);
            for (int k = 0; k < 2100 && Evaluate(crossing, 4, hi) < 0; ++k)
                hi *= 2;
        }
        const double u =
            Evaluate(crossing, 4, hi) == 0 ? hi : RootBetween(crossing, lo, hi, hint3dB_);
        shape.Minus3dBHz = std::sqrt(u) * scale / kTwoPi;
    }

    // 4. Peaking: the least of |D|^2 at u = 0 and at the positive turns.
    if (parts != ShapeParts::Minus3dB) {
        // Past a Q of some 1e7 the least |D|^2 is lost in the rounding of its
        // terms and may come out zero or negative, an infinite or NaN peaking;
        // the rounding's size is then the most that can be said of it.
        const double size[5] = {std::fabs(m[0]), std::fabs(m[1]), std::fabs(m[2]), std::fabs(m[3]),
                                std::fabs(m[4])};
        double least = 1;
        for (int k = 0; k < turnCount; ++k)
            if (turns[k] > 0)
                least = std::min(least, std::max(Evaluate(m, 4, turns[k]),
                                                 Evaluate(size, 4, turns[k]) * 0x1p-52));
        shape.PeakingDb = least < 1 ? -10 * Log10(least) : 0;
    }
    return shape;
}

}  // namespace velmora
