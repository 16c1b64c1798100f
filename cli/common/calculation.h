// One calculation as velmora-calc runs it: eight input texts in, the pass
// count and twelve result texts out, through the same engine calls as CALC.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "design.h"
#include "results.h"

namespace velmora {

// Input texts in reading order: AF1, F1, AF2, F2, C (uF), FSF, ISF, R*.
// The defaults are the window's start texts.
struct InputTexts {
    InputTextSet Texts = {"", "", "", "", "1", "1000", "0.01", "2000"};
};

struct CalculationResult {
    int Passes = 0;
    ResultTexts Texts;    // display order
    DesignRecord Design;  // the record behind the texts, for analysis
};

CalculationResult RunCalculation(const InputTexts& inputs);

// Preset names on the command line: butterworth, bessel, cheb05, cheb10,
// cheb20, cheb30, tbd. PresetControlId("bessel") -> ID_STD_BESSEL; unknown -> nullopt.
std::optional<int> PresetControlId(std::string_view name);

// "butterworth, bessel, ..., tbd", for messages.
std::string PresetNames();

// Copies the preset's four parameter texts into AF1, F1, AF2, F2.
void ApplyPreset(InputTexts& inputs, int controlId);

// Labels of the inputs, for people and JSON keys, and the units the reports
// append to their texts.
inline constexpr const char* kInputNames[8] = {"AF1", "F1", "AF2", "F2", "C", "FSF", "ISF", "R*"};
inline constexpr const char* kInputUnits[8] = {"", "", "", "", " uF", "", "", " ohms"};

}  // namespace velmora
