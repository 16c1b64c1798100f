// One vocabulary for every velmora-calc option that takes a physical value
// or a count (the window's eight texts keep the window's reading instead):
// a number, an optional SI prefix (p n u µ m k K M G T) and an optional unit,
// with or without a space between them.
//
//   ReadQuantity("--c-out", "10nF", kCapacitance)   -> 1e-08
//   ReadQuantity("--c-out", "0.01uF", kCapacitance) -> 1e-08
//   ReadQuantity("--c-out", "10", kCapacitance)
//       -> "--c-out '10' has no unit: give a capacitance from 1pF to 1F, e.g. 10nF"
//   ReadQuantity("--gbw", "1M", kFrequency)          -> 1e+06
//   ReadQuantity("--tol-r", "1%", kTolerance)        -> 0.01  (also "1" and "1 %")
//   ReadQuantity("--plan", "0.99", kYield)
//       -> "--plan '0.99' needs its % sign: give a yield above 0% to 100%, e.g. 99%"
//   ReadQuantity("--monte-carlo", "10k", Count("trials", 1, 1e9, "10000")) -> 10000
//
// Percentages and yields come back as fractions. A capacitance must carry a
// prefix or a unit (a bare 10 would be ten farads); a yield its % sign (0.99
// would be a yield of 0.99 %). Every message has one form:
//   OPTION 'TEXT' PROBLEM: give WHAT RANGE, e.g. EXAMPLE
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>

namespace velmora {

struct Quantity {
    const char* What;  // "a capacitance"
    const char* Unit;  // "F", "Hz", "dB", "%", or "" for a pure number
    bool Prefixes;     // whether p .. T may scale it
    bool NeedsUnit;    // a bare number is refused
    bool Whole;        // a count: the value must be a whole number
    long double Low, High;
    bool LowOpen, HighOpen;  // the bound itself is excluded
    const char* Example;
};

inline constexpr long double kUnbounded = 1e4000L;

inline constexpr Quantity kCapacitance = {"a capacitance", "F", true,  true,  false,
                                          1e-12L,          1,   false, false, "10nF"};
inline constexpr Quantity kFrequency = {"a frequency", "Hz",  true,  false,  false, 1,
                                        1e12L,         false, false, "10MHz"};
inline constexpr Quantity kDecibels = {"a level in dB", "dB", false, false,  false, 0,
                                       kUnbounded,      true, false, "0.5dB"};
inline constexpr Quantity kTolerance = {"a tolerance", "%",  false, false, false, 0, 1,
                                        false,         true, "1%"};
inline constexpr Quantity kMaskLimit = {"a limit", "%",        false, false, false,
                                        0,         kUnbounded, true,  false, "2%"};
inline constexpr Quantity kYield = {"a yield", "%", false, true, false, 0, 1, true, false, "99%"};
inline constexpr Quantity kScaleFactor = {"a scaling factor", "",   true,  false, false, 0,
                                          kUnbounded,         true, false, "0.01"};

// A whole number from `low` to `high`, e.g. Count("trials", 1, 1e9, "10000").
constexpr Quantity Count(const char* what, long double low, long double high, const char* example) {
    return {what, "", true, false, true, low, high, false, false, example};
}

// The value, or the message that says what to give instead.
struct QuantityReading {
    std::optional<long double> Value;
    std::string Error;
};
QuantityReading ReadQuantity(const std::string& option, const std::string& text,
                             const Quantity& kind);

// Registers an option whose text is read as `kind` while the command line
// is parsed; a text that does not read stops the parse with the message.
CLI::Option* AddQuantityOption(CLI::App& app, const std::string& name, const Quantity& kind,
                               std::function<void(long double)> store, const std::string& help);

}  // namespace velmora
