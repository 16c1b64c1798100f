// Designs for the analysis tests: the window's inputs, computed by the engine
// exactly as CALC does.
#pragma once

#include <array>
#include <string>

#include "design.h"
#include "standard_sets.h"

namespace velmora {

// AF1, F1, AF2, F2, C (uF), FSF, ISF, R*; the window's start texts after the four.
struct DesignInputs {
    std::array<std::string, 8> Texts = {"", "", "", "", "1", "1000", "0.01", "2000"};
};

inline DesignInputs PresetInputs(int controlId) {
    DesignInputs in;
    const StandardSet* set = FindStandardSet(controlId);
    in.Texts[0] = set->AF1, in.Texts[1] = set->F1, in.Texts[2] = set->AF2, in.Texts[3] = set->F2;
    return in;
}

// The Butterworth row with one input replaced: WithInput(6, "0") is ISF 0.
inline DesignInputs ButterworthWith(size_t index, const std::string& text) {
    DesignInputs in = PresetInputs(ID_STD_BUTTERWORTH);
    in.Texts[index] = text;
    return in;
}

inline DesignRecord Compute(const DesignInputs& in) {
    DesignRecord d;
    ReadInputs(d, [&](int id) {
        for (size_t k = 0; k < 8; ++k)
            if (kInputIds[k] == id) return in.Texts[k];
        return std::string();
    });
    ComputeDesign(d);
    return d;
}

// The six standard sets with their buttons, in button order.
inline constexpr int kStandardSetIds[6] = {ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB05,
                                           ID_STD_CHEB10,      ID_STD_CHEB20, ID_STD_CHEB30};

}  // namespace velmora
