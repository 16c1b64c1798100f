#include "model/portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmora {
namespace {

// References: e^x - 1 of the double x, correctly rounded (50 digits of
// mpmath). Across the reduction's boundaries, where 1 + x would lose x, and
// at both ends of the range.
TEST(PortableMath, Expm1IsWithinTwoUlpsOfTheTrueValue) {
    struct Row {
        double X, Expected;
    };
    const Row rows[] = {
        {1e-300, 1e-300},
        {1e-10, 1.00000000005e-10},
        {0.0023025850929940458, 0.002305238077899672},  // 0.01 dB of ripple
        {0.11512925464970229, 0.12201845430196344},     // 0.5 dB
        {0.3465, 0.41410949383036244},
        {0.35, 0.41906754859325723},
        {1, 1.7182818284590453},
        {-1, -0.6321205588285577},
        {2.302585092994046, 9.000000000000002},
        {23.02585092994046, 9999999999.00004},
        {709.5, 1.3549863193146328e+308},
        {-39, -1.0},
    };
    for (const Row& row : rows) {
        const double ulp =
            std::nextafter(std::abs(row.Expected), INFINITY) - std::abs(row.Expected);
        EXPECT_LE(std::abs(Expm1(row.X) - row.Expected), 2 * ulp) << "x = " << row.X;
    }
    EXPECT_EQ(Expm1(710), INFINITY);
    EXPECT_EQ(Expm1(-800), -1);
    EXPECT_TRUE(std::isnan(Expm1(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace velmora
