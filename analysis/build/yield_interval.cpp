#include "yield_interval.h"

#include <algorithm>
#include <cmath>

namespace velmora {

YieldInterval WilsonInterval(int passed, int trials, double z) {
    if (trials <= 0) return {};
    const double n = trials, p = static_cast<double>(passed) / n, z2 = z * z;
    const double centre = (p + z2 / (2 * n)) / (1 + z2 / n);
    const double half = z / (1 + z2 / n) * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    // At 0 and n passes the ends are exactly 0 and 1.
    return {passed == 0 ? 0 : std::max(0.0, centre - half),
            passed == trials ? 1 : std::min(1.0, centre + half)};
}

}  // namespace velmora
