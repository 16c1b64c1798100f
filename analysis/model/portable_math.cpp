#include "portable_math.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace velmora {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ln2 in two parts, the first with trailing zeros, so that k * kLn2High is
// exact for any exponent k of a double.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;

// x = k ln2 + f with |f| <= ln2 / 2, and e^f - 1 by its series, inner
// terms first; 19 terms reach 1e-19 of it.
struct Reduced {
    int K;
    double Em1;  // e^f - 1
};

Reduced Reduce(double x) {
    const double k = std::round(x / (kLn2High + kLn2Low));
    const double f = (x - k * kLn2High) - k * kLn2Low;
    double series = 1;
    for (int n = 19; n >= 2; --n)
        series = 1 + f / n * series;
    return {static_cast<int>(k), f * series};
}

// 10^0 .. 10^22, every one exact in a double.
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = static_cast<int>(kPowersOfTen.size()) - 1;

// Taylor factors of cos x = 1 - x^2/(1 2) (1 - x^2/(3 4) (1 - ...)) and
// sin x = x (1 - x^2/(2 3) (1 - ...)), eight each: for |x| <= pi/4 the next
// term is below 1e-17.
constexpr int kTrigTerms = 8;
constexpr std::array<double, kTrigTerms> TrigFactors(int first) {
    std::array<double, kTrigTerms> f{};
    for (int n = 0; n < kTrigTerms; ++n)
        f[n] = 1.0 / ((2 * n + first) * (2 * n + first + 1));
    return f;
}
constexpr std::array<double, kTrigTerms> kCosFactors = TrigFactors(1);
constexpr std::array<double, kTrigTerms> kSinFactors = TrigFactors(2);

}  // namespace

double Expm1(double x) {
    if (std::isnan(x)) return x;
    if (x > 709.8) return kInf;
    if (x < -40) return -1;  // e^-40 is below half an ulp of 1
    const Reduced r = Reduce(x);
    if (r.K == 0) return r.Em1;
    // 2^k e^f, the -1 being below half an ulp; in two steps, as 2^1024
    // itself overflows where e^x does not.
    if (r.K > 56) return std::ldexp(2 * (1 + r.Em1), r.K - 1);
    // 2^k (e^f - 1) + (2^k - 1): both scalings by a power of two are exact.
    return std::ldexp(r.Em1, r.K) + (std::ldexp(1.0, r.K) - 1);
}

double Exp(double x) {
    if (std::isnan(x)) return x;
    if (x > 709.8) return kInf;
    if (x < -746) return 0;
    const Reduced r = Reduce(x);
    // In two steps for the same reason as above, and for results below the
    // least normal double.
    return std::ldexp(std::ldexp(1 + r.Em1, r.K / 2), r.K - r.K / 2);
}

double Log(double x) {
    if (std::isnan(x) || x < 0) return kNaN;
    if (x == 0) return -kInf;
    if (x == kInf) return x;
    // 1. x = 2^k m with m in [sqrt(1/2), sqrt 2); f = m - 1 is exact.
    int k = 0;
    double m = std::frexp(x, &k);
    if (m < std::numbers::sqrt2 / 2) m *= 2, --k;
    const double f = m - 1;
    // 2. ln(1 + f) = 2 atanh(s), s = f / (2 + f), |s| < 0.172: written as
    //    f - (f^2/2 - s (f^2/2 + R)) so that f, the bulk, is never rounded;
    //    R = sum 2 s^2n / (2n + 1), twelve terms reaching 1e-18 of it.
    const double s = f / (2 + f);
    const double z = s * s;
    double r = 0;
    for (int n = 12; n >= 1; --n)
        r = z * (2.0 / (2 * n + 1) + r);
    const double halfSquare = 0.5 * f * f;
    const double dk = k;
    return dk * kLn2High - ((halfSquare - (s * (halfSquare + r) + dk * kLn2Low)) - f);
}

double Log10(double x) {
    return Log(x) * std::numbers::log10e;
}

double Pow(double x, double y) {
    if (std::isnan(x) || std::isnan(y) || x < 0) return kNaN;
    if (y == 0) return 1;
    if (x == 0) return y > 0 ? 0 : kInf;
    return Exp(y * Log(x));
}

double PowerOfTen(int n) {
    if (n >= 0 && n <= kExactPowers) return kPowersOfTen[static_cast<size_t>(n)];
    if (n < 0 && n >= -kExactPowers) return 1 / kPowersOfTen[static_cast<size_t>(-n)];
    if (n > 0) return n > 400 ? kInf : kPowersOfTen.back() * PowerOfTen(n - kExactPowers);
    return n < -400 ? 0 : PowerOfTen(n + kExactPowers) / kPowersOfTen.back();
}

int DecimalExponent(double x) {
    x = std::fabs(x);
    if (!(x > 0) || x == kInf) return 0;
    // An estimate from the binary exponent, off by at most one, then
    // settled by comparison with the powers themselves: log10 of a power
    // of ten need not come out whole.
    int binary = 0;
    std::frexp(x, &binary);
    int n = static_cast<int>(std::floor((binary - 1) * 0.30102999566398120));
    while (n > -400 && x < PowerOfTen(n))
        --n;
    while (n < 400 && x >= PowerOfTen(n + 1))
        ++n;
    return n;
}

double CosTwoPi(double turns) {
    if (!std::isfinite(turns)) return kNaN;
    // 1. Down to t in [0, 1/8] turn by the symmetries of the cosine, every
    //    subtraction exact: cos is even, cos(2 pi (1/2 - t)) = -cos(2 pi t)
    //    and cos(2 pi (1/4 - t)) = sin(2 pi t).
    double t = std::fabs(turns - std::round(turns));
    const double sign = t > 0.25 ? -1 : 1;
    if (t > 0.25) t = 0.5 - t;
    const bool sine = t > 0.125;
    if (sine) t = 0.25 - t;
    // 2. The series at x = 2 pi t, |x| <= pi/4, inner terms first.
    const double x = 2 * std::numbers::pi * t, z = x * x;
    const std::array<double, kTrigTerms>& factors = sine ? kSinFactors : kCosFactors;
    double series = 1;
    for (int n = kTrigTerms - 1; n >= 0; --n)
        series = 1 - z * factors[static_cast<size_t>(n)] * series;
    return sign * (sine ? x * series : series);
}

double Abs(std::complex<double> z) {
    double a = std::fabs(z.real()), b = std::fabs(z.imag());
    if (a == kInf || b == kInf) return kInf;
    if (std::isnan(a) || std::isnan(b)) return kNaN;
    if (a < b) std::swap(a, b);
    if (b == 0) return a;
    // Squares of numbers between 2^-500 and 2^500 neither overflow nor
    // underflow; outside, scale by a power of two first (exact).
    constexpr double kSmall = 0x1p-500, kLarge = 0x1p500;
    if (a < kLarge && b > kSmall) return std::sqrt(a * a + b * b);
    int e = 0;
    std::frexp(a, &e);
    a = std::ldexp(a, -e);
    b = std::ldexp(b, -e);
    return std::ldexp(std::sqrt(a * a + b * b), e);
}

}  // namespace velmora
