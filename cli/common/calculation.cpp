#include "calculation.h"

#include "design.h"
#include "results.h"
#include "standard_sets.h"

namespace velmora {

CalculationResult RunCalculation(const InputTexts& inputs) {
    CalculationResult result;
    ReadInputTexts(result.Design, inputs.Texts);
    result.Passes = ComputeDesign(result.Design);
    result.Texts = ResultTextsOf(result.Design);
    return result;
}

std::optional<int> PresetControlId(std::string_view name) {
    const StandardSet* set = FindStandardSet(name);
    if (!set) return std::nullopt;
    return set->ControlId;
}

std::string PresetNames() {
    std::string names;
    for (const StandardSet& set : StandardSets())
        names += (names.empty() ? "" : ", ") + std::string(set.Name);
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

}  // namespace velmora
