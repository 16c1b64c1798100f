// Powers of ten shared by the parser and the formatter.
#include "number_text.h"

namespace {

constexpr long double kSmallPowers[8] = {1.0L,     10.0L,     100.0L,     1000.0L,
                                         10000.0L, 100000.0L, 1000000.0L, 10000000.0L};

// 10^(8 * 2^b) for b = 0..9, each the extended value nearest to the power
// (the compiler rounds a decimal literal to nearest). 10^8 and 10^16 are exact.
constexpr long double kLargePowers[10] = {1e8L,   1e16L,  1e32L,   1e64L,   1e128L,
                                          1e256L, 1e512L, 1e1024L, 1e2048L, 1e4096L};

constexpr int kLargestStep = 4096;

}  // namespace

long double ScaleByPowerOfTen(long double x, int j) {
    // 1. One coarse step brings |j| within the table's reach.
    if (j > kLargestStep) {
        x *= kLargePowers[9];
        j -= kLargestStep;
    } else if (j < -kLargestStep) {
        x /= kLargePowers[9];
        j += kLargestStep;
    }
    // 2. Nothing to scale.
    if (j == 0) return x;
    // 3. The factor: an exact small power times one large constant for each
    //    set bit of |j| / 8, lowest bit first, rounding every product.
    const unsigned a = j < 0 ? 0u - static_cast<unsigned>(j) : static_cast<unsigned>(j);
    long double factor = kSmallPowers[a % 8];
    unsigned bits = a / 8;
    for (int b = 0; bits != 0 && b < 10; ++b, bits >>= 1) {
        if (bits & 1u) factor *= kLargePowers[b];
    }
    // 4. Multiply or divide: dividing by an exact power keeps 10^-n as exact
    //    as the format allows.
    return j > 0 ? x * factor : x / factor;
}
