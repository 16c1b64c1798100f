// The twelve results and eight inputs by name, for hosts without a window.
// The window reads and shows them by control ID (design.h); everything else
// names them here, so that no host counts positions.
//
//   DesignRecord d;  ReadInputs(d, source);  ComputeDesign(d);   // Butterworth row
//   velmora::ResultTexts t = velmora::ResultTextsOf(d);
//   t[velmora::Result::OutR1] -> "1194.2"    t[velmora::Result::OutRkr] -> "2076."
//   velmora::RkrOhms(d) -> 2076.04...         (what the RK-R text rounds)
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "design.h"

namespace velmora {

// Display order, as kResultIds.
enum class Result {
    ProtoR1,
    ProtoR2,
    ProtoR3,
    ProtoR4,
    ProtoK,
    OutR1,
    OutR2,
    OutR3,
    OutR4,
    OutC,
    OutRkr,
    OutFreq,
};
inline constexpr std::size_t kResultCount = 12;

// Reading order, as kInputIds.
enum class Input { AF1, F1, AF2, F2, Cap, FSF, ISF, RStar };
inline constexpr std::size_t kInputCount = 8;

// Texts indexed by name (and, for loops, by position).
template <typename Slot, std::size_t N>
struct NamedTexts : std::array<std::string, N> {
    using std::array<std::string, N>::operator[];
    std::string& operator[](Slot slot) { return (*this)[static_cast<std::size_t>(slot)]; }
    const std::string& operator[](Slot slot) const {
        return (*this)[static_cast<std::size_t>(slot)];
    }
};

using ResultTexts = NamedTexts<Result, kResultCount>;
using InputTextSet = NamedTexts<Input, kInputCount>;

// One row of a results table: its label, the prototype and the scaled
// result it shows (either may be absent) and their unit.
struct ResultRow {
    const char* Label;
    std::optional<Result> Prototype;
    std::optional<Result> Scaled;
    const char* Unit;
};
inline constexpr ResultRow kResultRows[] = {
    {"R1", Result::ProtoR1, Result::OutR1, "ohms"}, {"R2", Result::ProtoR2, Result::OutR2, "ohms"},
    {"R3", Result::ProtoR3, Result::OutR3, "ohms"}, {"R4", Result::ProtoR4, Result::OutR4, "ohms"},
    {"K", Result::ProtoK, std::nullopt, ""},        {"C", std::nullopt, Result::OutC, "uF"},
    {"RK-R", std::nullopt, Result::OutRkr, "ohms"}, {"Freq", std::nullopt, Result::OutFreq, "Hz"},
};

// ReadInputs from texts in reading order.
void ReadInputTexts(DesignRecord& design, const InputTextSet& texts);

// The texts ShowResults shows, byte for byte.
ResultTexts ResultTextsOf(const DesignRecord& design);

// RK-R in ohms, K * R* - R* in extended precision as the window computes it
// before formatting, rounded once to double.
double RkrOhms(const DesignRecord& design);

}  // namespace velmora
