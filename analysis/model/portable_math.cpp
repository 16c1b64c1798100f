#include "portable_math.h"

#include <cmath>
#include <limits>

namespace velmora {

double Expm1(double x) {
    if (std::isnan(x)) return x;
    if (x > 709.8) return std::numeric_limits<double>::infinity();
    if (x < -40) return -1;  // e^-40 is below half an ulp of 1
    // x = k ln2 + f with |f| <= ln2 / 2; ln2 in two parts, the first with
    // trailing zeros, so that k * kLn2High is exact for any k reached here.
    constexpr double kLn2High = 6.93147180369123816490e-01;
    constexpr double kLn2Low = 1.90821492927058770002e-10;
    const double k = std::round(x / (kLn2High + kLn2Low));
    const double f = (x - k * kLn2High) - k * kLn2Low;
    // e^f - 1 by its series, inner terms first; 19 terms reach 1e-19 of it.
    double series = 1;
    for (int n = 19; n >= 2; --n)
        series = 1 + f / n * series;
    const double em1 = f * series;
    if (k == 0) return em1;
    const int power = static_cast<int>(k);
    // 2^k e^f, the -1 being below half an ulp; in two steps, as 2^1024
    // itself overflows where e^x does not.
    if (power > 56) return std::ldexp(2 * (1 + em1), power - 1);
    // 2^k (e^f - 1) + (2^k - 1): both scalings by a power of two are exact.
    return std::ldexp(em1, power) + (std::ldexp(1.0, power) - 1);
}

}  // namespace velmora
