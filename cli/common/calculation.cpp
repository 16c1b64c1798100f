#include "calculation.h"

#include "design.h"
#include "standard_sets.h"

namespace {

struct PresetName {
    const char* Name;
    int ControlId;
};

constexpr PresetName kPresetNames[] = {
    {"butterworth", ID_STD_BUTTERWORTH},
    {"bessel", ID_STD_BESSEL},
    {"cheb05", ID_STD_CHEB05},
    {"cheb10", ID_STD_CHEB10},
    {"cheb20", ID_STD_CHEB20},
    {"cheb30", ID_STD_CHEB30},
    {"tbd", ID_STD_TBD},
};

}  // namespace

CalculationResult RunCalculation(const InputTexts& inputs) {
    DesignRecord design;
    ReadInputs(design, [&](int id) {
        for (size_t k = 0; k < 8; ++k)
            if (kInputIds[k] == id) return inputs.Texts[k];
        return std::string();
    });
    CalculationResult result;
    result.Passes = ComputeDesign(design);
    ShowResults(design, [&](int id, const std::string& text) {
        for (size_t k = 0; k < 12; ++k)
            if (kResultIds[k] == id) result.Texts[k] = text;
    });
    result.Design = design;
    return result;
}

std::optional<int> PresetControlId(std::string_view name) {
    for (const PresetName& preset : kPresetNames)
        if (name == preset.Name) return preset.ControlId;
    return std::nullopt;
}

std::string PresetNames() {
    std::string names;
    for (const PresetName& preset : kPresetNames)
        names += (names.empty() ? "" : ", ") + std::string(preset.Name);
    return names;
}

void ApplyPreset(InputTexts& inputs, int controlId) {
    const StandardSet* set = FindStandardSet(controlId);
    if (!set) return;
    ApplyStandardSet(*set, [&](int id, const std::string& text) {
        for (size_t k = 0; k < 4; ++k)
            if (kInputIds[k] == id) inputs.Texts[k] = text;
    });
}
