// How the board sections say their numbers, and the one way they write a
// file: every figure of a kind reads the same in every section.
//
//   Percent(0.8902)            -> "89.02 %"
//   Percent(-0.0119, 3, true)  -> "-1.190 %"     Percent(-1e-9, 3, true) -> "+0.000 %"
//   YieldText(run)             -> "89.02 % (8902 of 10000; 95 % interval 88.39 to 89.62 %)"
//   IntervalText(i)            -> "88.39 to 89.62 %"  (the Wilson score interval)
//   Ohms(1500)                 -> "1.5k ohm"
//   MaskText(mask)             -> "-3 dB within 2 %, peaking within 0.5 dB"
//   OpAmpText({})              -> "ideal op-amp"
//   Row("R1", "1.1942k ohm", "1.18k ohm", "-1.190 %")  -> one table line
//   WriteOutputFile("plots/a.svg", svg, err)  -> false, named on err, when it fails
#pragma once

#include <iosfwd>
#include <string>

#include "build/board_monte_carlo.h"
#include "build/yield_interval.h"

namespace velmora {

// A fraction in percent with `decimals` decimals; signed, a figure that
// rounds to zero prints as +0 (its sign is rounding noise).
std::string Percent(double fraction, int decimals = 2, bool sign = false);

std::string YieldText(int passed, int trials);
std::string IntervalText(const YieldInterval& interval);
std::string YieldText(const BoardRun& run);

std::string Ohms(double value, int digits = 3);

// "1000 Hz", or "DC".
std::string TestText(const KTrim& trim);

std::string MaskText(const YieldMask& mask);

// The op-amp a yield assumes:
//   OpAmpText({})                 -> "ideal op-amp"
//   OpAmpText({1e6, 0.3, 5e-12})  -> "op-amp GBW 1MHz +-30 %, cin 5pF"
std::string OpAmpText(const YieldOpAmp& amp);

// One line of a report's table: a label and up to three columns.
std::string Row(const std::string& label, const std::string& a, const std::string& b,
                const std::string& c = "");

// Every file the board sections write goes through here (UTF-8 names on
// every platform).
bool WriteOutputFile(const std::string& path, const std::string& text, std::ostream& err);

}  // namespace velmora
