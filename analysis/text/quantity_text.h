// Numbers as people read them in messages, tables and plot labels. One
// rule for SI prefixes: round to the significant digits first, then choose
// the prefix, so 0.99996 s reads "1 s" and never "1000 ms".
//
//   Significant(1234.5678, 6) -> "1234.57"    Significant(+inf, 6) -> "infinite"
//   SignedPercent(0.00123)    -> "+0.123 %"   SignedPercent(NaN)   -> "n/a"
//   WithPrefix(1000.08, "Hz", 5) -> "1.0001 kHz"
//   WithPrefix(1500, "Hz")    -> "1.5 kHz"    WithPrefix(4.7e-7, "F") -> "470 nF"
//   FormatEngineering(4990.0, 3) -> "4.99k"   FormatEngineering(1e-8, 3) -> "10n"
//   PrintfNumber("%.2f", 0.125) -> "0.12"     PrintfNumber("%+.1f", -NaN) -> "+nan"
#pragma once

#include <string>

namespace velmora {

std::string Significant(double value, int digits);

// A relative error as a percentage with three decimals and its sign.
std::string SignedPercent(double fraction);

// Up to `digits` significant digits with an SI prefix from p to G.
std::string WithPrefix(double value, const char* unit, int digits = 4);

// The same without a space or unit, for part values: 1200 -> "1.2k";
// "inf", "-inf" and "nan" for values that are not finite.
std::string FormatEngineering(double value, int digits);

// One number through a printf format (up to 63 characters). A NaN prints
// as "nan", never "-nan": its sign bit is whatever the unit that made it
// left there, and SSE, the x87 unit and the C libraries leave different ones.
std::string PrintfNumber(const char* format, double value);

}  // namespace velmora
