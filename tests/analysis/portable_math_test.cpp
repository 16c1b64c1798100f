#include "model/portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace velmora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// How many units in the last place of `want` `got` is off.
double UlpsOff(double got, long double want) {
    const double w = static_cast<double>(want);
    const double ulp = std::nextafter(std::fabs(w), INFINITY) - std::fabs(w);
    return static_cast<double>(std::fabs(static_cast<long double>(got) - want) / ulp);
}

// References: the true value of the function at the double x, correctly
// rounded (mpmath at 200 bits). Across the reductions' boundaries, where
// 1 + x would lose x, at subnormal, huge and whole-number results.
TEST(PortableMath, EachFunctionIsWithinItsUlpBound) {
    using Function = double (*)(double, double);
    struct Row {
        const char* Name;
        Function F;
        double X, Y, Expected, Ulps;
    };
    const Function expm1 = [](double x, double) { return Expm1(x); };
    const Function exp = [](double x, double) { return Exp(x); };
    const Function log = [](double x, double) { return Log(x); };
    const Function log10 = [](double x, double) { return Log10(x); };
    const Function pow = [](double x, double y) { return Pow(x, y); };
    const Function abs = [](double x, double y) { return Abs({x, y}); };
    const Function cos = [](double x, double) { return CosTwoPi(x); };
    const Row rows[] = {
        {"Expm1", expm1, 1e-300, 0, 1e-300, 2},
        {"Expm1", expm1, 1e-10, 0, 1.00000000005e-10, 2},
        {"Expm1", expm1, 0.0023025850929940458, 0, 0.002305238077899672, 2},  // 0.01 dB
        {"Expm1", expm1, 0.11512925464970229, 0, 0.12201845430196344, 2},     // 0.5 dB
        {"Expm1", expm1, 0.35, 0, 0.41906754859325723, 2},
        {"Expm1", expm1, -1, 0, -0.6321205588285577, 2},
        {"Expm1", expm1, 23.02585092994046, 0, 9999999999.00004, 2},
        {"Expm1", expm1, 709.5, 0, 1.3549863193146328e+308, 2},
        {"Exp", exp, -1e-10, 0, 0.9999999999, 1},
        {"Exp", exp, 0.34657359027997264, 0, 1.414213562373095, 1},  // ln2 / 2
        {"Exp", exp, 2.302585092994046, 0, 10.000000000000002, 1},
        {"Exp", exp, -20.5, 0, 1.2501528663867426e-09, 1},
        {"Exp", exp, 700, 0, 1.0142320547350045e+304, 1},
        {"Exp", exp, -700, 0, 9.85967654375977e-305, 1},
        {"Exp", exp, -744, 0, 1e-323, 1},  // subnormal
        {"Log", log, 5e-324, 0, -744.4400719213812, 1},
        {"Log", log, 0.7071067811865476, 0, -0.3465735902799726, 1},
        {"Log", log, 0.9999999999999999, 0, -1.1102230246251565e-16, 1},
        {"Log", log, 1.0000000000000002, 0, 2.2204460492503128e-16, 1},
        {"Log", log, 1.4142135623730951, 0, 0.3465735902799727, 1},
        {"Log", log, 123456.789, 0, 11.723646487185881, 1},
        {"Log", log, 1e300, 0, 690.7755278982137, 1},
        {"Log10", log10, 1e-7, 0, -7, 2},
        {"Log10", log10, 0.5, 0, -0.3010299956639812, 2},
        {"Log10", log10, 7, 0, 0.8450980400142568, 2},
        {"Log10", log10, 1e22, 0, 22, 2},
        {"Pow", pow, 105, 0.25, 3.2010858729436795, 4},
        {"Pow", pow, 10, 3.3, 1995.2623149688789, 2 + 3 * 7.6},
        {"Pow", pow, 10, -2.5, 0.0031622776601683794, 2 + 3 * 5.8},
        {"Pow", pow, 1000, 1.0 / 3, 9.999999999999998, 2 + 3 * 2.3},
        {"Pow", pow, 3.7, -4, 0.005335720890574502, 2 + 3 * 5.3},
        {"Abs", abs, 3, 4, 5, 0},
        {"Abs", abs, 0.1, 0.2, 0.223606797749979, 2},
        {"Abs", abs, 1e-200, 1e-200, 1.414213562373095e-200, 2},
        {"Abs", abs, 1e300, -1e300, 1.4142135623730952e+300, 2},
        {"Abs", abs, 1e155, 1e154, 1.004987562112089e+155, 2},
        {"Abs", abs, -1, 1e-20, 1, 0},
        {"Abs", abs, 5e-324, 5e-324, 5e-324, 1},
        {"CosTwoPi", cos, 1e-9, 0, 1, 0},
        {"CosTwoPi", cos, 0.1, 0, 0.8090169943749475, 2},
        {"CosTwoPi", cos, 0.125, 0, 0.7071067811865476, 2},  // where the sine takes over
        {"CosTwoPi", cos, 0.2, 0, 0.30901699437494734, 2},
        {"CosTwoPi", cos, 0.49, 0, -0.9980267284282716, 2},
        {"CosTwoPi", cos, 0.6, 0, -0.8090169943749475, 2},
        {"CosTwoPi", cos, -0.9, 0, 0.8090169943749475, 2},
        {"CosTwoPi", cos, 0.999999, 0, 0.9999999999802608, 2},
    };
    for (const Row& row : rows)
        EXPECT_LE(UlpsOff(row.F(row.X, row.Y), row.Expected), row.Ulps)
            << row.Name << "(" << row.X << ", " << row.Y << ")";
}

// Many arguments against the x87 unit's 64-bit functions, 2,048 times
// finer than a double's last place.
TEST(PortableMath, ExpAndLogHoldTheirBoundsAcrossTheirRange) {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> exponent(-300, 300), power(-700, 700), turn(-1, 1);
    constexpr long double kTwoPi = 6.283185307179586476925286766559L;
    double worstLog = 0, worstExp = 0, worstAbs = 0, worstCos = 0;
    for (int k = 0; k < 20000; ++k) {
        const double x = std::pow(10.0, exponent(random)), y = power(random);
        worstLog = std::max(worstLog, UlpsOff(Log(x), std::log(static_cast<long double>(x))));
        worstExp = std::max(worstExp, UlpsOff(Exp(y), std::exp(static_cast<long double>(y))));
        const long double a = x, b = x * std::pow(10.0, exponent(random) / 50);
        worstAbs =
            std::max(worstAbs, UlpsOff(Abs({x, static_cast<double>(b)}), std::sqrt(a * a + b * b)));
        // From the nearest quarter turn, so that the reference keeps its
        // digits near the zeros too.
        const double v = turn(random);
        const long double quarters = std::round(4.0L * v), r = kTwoPi * (v - quarters / 4);
        const long double cosines[4] = {std::cos(r), -std::sin(r), -std::cos(r), std::sin(r)};
        const long double want = cosines[(static_cast<int>(quarters) % 4 + 4) % 4];
        worstCos = std::max(worstCos, UlpsOff(CosTwoPi(v), want));
    }
    EXPECT_LE(worstLog, 1);
    EXPECT_LE(worstExp, 1.5);
    EXPECT_LE(worstAbs, 2);
    EXPECT_LE(worstCos, 2);
}

// The decade of a number decides its prefix and its series values: exact
// at the powers of ten and at the doubles either side of them.
TEST(PortableMath, PowersOfTenAndDecadesAreExact) {
    for (int n = -22; n <= 22; ++n) {
        const double p = PowerOfTen(n);
        EXPECT_EQ(p, std::stod("1e" + std::to_string(n))) << n;
        EXPECT_EQ(DecimalExponent(p), n) << n;
        EXPECT_EQ(DecimalExponent(std::nextafter(p, 0.0)), n - 1) << n;
        EXPECT_EQ(DecimalExponent(-std::nextafter(p, INFINITY)), n) << n;
    }
    EXPECT_EQ(DecimalExponent(999.99), 2);
    EXPECT_EQ(DecimalExponent(1e-300), -300);
    EXPECT_EQ(DecimalExponent(0), 0);
    EXPECT_EQ(DecimalExponent(kNaN), 0);
    EXPECT_EQ(PowerOfTen(400), INFINITY);
}

TEST(PortableMath, OutsideTheDomainTheAnswersOfTheCLibrary) {
    EXPECT_EQ(Expm1(710), INFINITY);
    EXPECT_EQ(Expm1(-800), -1);
    EXPECT_EQ(Exp(710), INFINITY);
    EXPECT_EQ(Exp(-800), 0);
    EXPECT_EQ(Log(0), -INFINITY);
    EXPECT_EQ(Log(INFINITY), INFINITY);
    EXPECT_TRUE(std::isnan(Log(-1)));
    EXPECT_EQ(Pow(0, 2), 0);
    EXPECT_EQ(Pow(0, 0), 1);
    EXPECT_TRUE(std::isnan(Pow(-8, 1.0 / 3)));
    EXPECT_EQ(Abs({INFINITY, kNaN}), INFINITY);
    EXPECT_TRUE(std::isnan(Abs({kNaN, 1})));
    EXPECT_EQ(CosTwoPi(0.25), 0);
    EXPECT_EQ(CosTwoPi(0.5), -1);
    EXPECT_TRUE(std::isnan(CosTwoPi(INFINITY)));
    for (auto f : {Expm1, Exp, Log, Log10})
        EXPECT_TRUE(std::isnan(f(kNaN)));
}

}  // namespace
}  // namespace velmora
