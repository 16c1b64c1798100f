// Number text conversion: the only way numbers enter and leave the window.
//
// Both conversions are pure, locale-free and total: every text reads as some
// number and every value formats to some text. They compute in x87 extended
// precision whatever control word the process has (see fpu_scope.h).
#pragma once

#include <string>
#include <string_view>

// Reads the number at the start of a text; whatever follows it is ignored.
//
//   ParseNumber("  12.5e3xyz") -> 12500     ParseNumber("12abc") -> 12
//   ParseNumber("1.2.3")       -> 1.2       ParseNumber("1D-2")  -> 0.01
//   ParseNumber("")            -> +0        ParseNumber("- 5")   -> -0
//   ParseNumber("1e309")       -> +inf      ParseNumber("1e4932") -> 2^127
//   ParseNumber("&HFFFF")      -> -1        ParseNumber("&HFFFF?") -> 65535
//   ParseNumber("&12389")      -> 83        (octal digits "123", then "89" ends it)
//
// Texts of any length read soundly: digit counts and the point position
// saturate instead of wrapping.
double ParseNumber(std::string_view text);

// Formats a value under a mask of "#" and one "." ("#.#", "#.####",
// "#.######", "#######.#"). The integer part is written whole, never padded;
// the fraction is rounded half-to-even on the decimal digits and its
// trailing zeros dropped; the "." is always written.
//
//   FormatNumber(1234.5678, "#.#")  -> "1234.6"   FormatNumber(0.25, "#.#") -> "0.2"
//   FormatNumber(9.96, "#.#")       -> "10."      FormatNumber(-0.04, "#.#") -> "-0."
//   FormatNumber(NaN, any)          -> "0."       FormatNumber(-0.0, any)   -> "0."
//   FormatNumber(+inf, any) -> nineteen "9", 980 "0", "."   (1000 characters)
//
// Pass the unrounded extended result of the caller's expression: rounding it
// to double first can change the last digit shown.
std::string FormatNumber(long double value, std::string_view mask);

// Multiplies x by 10^j in extended precision, building the power from the
// exact integers 10^0..10^7 and the nearest-extended constants 10^8 ..
// 10^4096, as both conversions do. Call it under an FpuScope.
//
//   ScaleByPowerOfTen(15, -1) -> 1.5     ScaleByPowerOfTen(1, 4931) -> 1e4931
long double ScaleByPowerOfTen(long double x, int j);
