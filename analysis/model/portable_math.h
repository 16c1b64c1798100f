// Functions whose every bit is the same on every platform: built from
// + - * /, sqrt and powers of two only, which IEEE 754 rounds alike
// everywhere, where the C library's transcendental functions differ in the
// last bit between glibc, msvcrt and Wine, and so would the 17-digit texts
// printed from them. Every figure velmora-calc prints goes through these
// rather than <cmath>'s exp, log, log10, pow and std::abs of a complex.
//
//   Expm1(0.05 * std::numbers::ln10) -> 0.1220184543019634...   (10^0.05 - 1)
//   Expm1(1e-20) -> 1e-20    Expm1(-800) -> -1    Expm1(710) -> inf
//   Exp(1) -> 2.718281828459045     Log(10) -> 2.302585092994046
//   Log10(2) -> 0.3010299956639812  Pow(105, 0.25) -> 3.2010858729436795
//   PowerOfTen(-3) -> 0.001 (the double nearest 1/1000)
//   DecimalExponent(999.99) -> 2    DecimalExponent(1000) -> 3
//   DecimalExponent(0.001) -> -3    Abs({3, 4}) -> 5
//   CosTwoPi(0.125) -> 0.7071067811865476    CosTwoPi(0.25) -> 0
#pragma once

#include <complex>

namespace velmora {

// e^x - 1, within 2 units in the last place, without losing digits when
// x is small.
double Expm1(double x);

// e^x within 1.5 ulps; 0 below -745, inf above 709.78.
double Exp(double x);

// Natural logarithm within 1 ulp; -inf at 0, NaN below it.
double Log(double x);

// Base-10 logarithm within 2 ulps. For the decade of a number use
// DecimalExponent, which is exact at the powers of ten.
double Log10(double x);

// x^y for x >= 0 as e^(y ln x): within 2 + 3 |y ln x| ulps (4 ulps for
// the frequency grids, square and fourth roots it is used for here).
// 0^y is 0 for y > 0; a negative x gives NaN.
double Pow(double x, double y);

// 10^n: exact for 0 <= n <= 22, the double nearest for -22 <= n < 0, and
// within a few ulps beyond.
double PowerOfTen(int n);

// floor(log10 |x|) for finite x other than 0, exactly for |x| between
// 1e-22 and 1e23 (the numbers a designer types); 0 for 0, inf and NaN.
int DecimalExponent(double x);

// cos(2 pi turns) within 2 ulps: the angle of a Box-Muller draw, exact at
// quarter turns. NaN for inf and NaN.
double CosTwoPi(double turns);

// |z| (the hypotenuse) within 2 ulps, without overflow or underflow on the
// way; inf when a part is infinite, even when the other is NaN.
double Abs(std::complex<double> z);

}  // namespace velmora
