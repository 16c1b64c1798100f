// Functions whose every bit is the same on every platform: built from
// + - * /, sqrt and powers of two only, which IEEE 754 rounds alike
// everywhere, where the C library's transcendental functions differ in the
// last bit between glibc, msvcrt and Wine, and so would the 17-digit texts
// printed from them.
//
//   Expm1(0.05 * std::numbers::ln10) -> 0.1220184543019634...   (10^0.05 - 1)
//   Expm1(1e-20) -> 1e-20    Expm1(-800) -> -1    Expm1(710) -> inf
#pragma once

namespace velmora {

// e^x - 1, within 2 units in the last place, without losing digits when
// x is small.
double Expm1(double x);

}  // namespace velmora
