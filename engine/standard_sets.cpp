#include "standard_sets.h"

namespace {

// Published fourth-order prototypes as AF = 1/Q and F per pole pair. The texts
// go into the boxes as they stand: ".765367" keeps its missing leading zero.
constexpr StandardSet kSets[] = {
    {"Butterworth", ID_STD_BUTTERWORTH, "1.847759", "1", ".765367", "1", "butterworth"},
    {"Bessel", ID_STD_BESSEL, "1.915949", "3.023265", "1.241406", "3.389366", "bessel"},
    {"0.5 dB Tchebysheff", ID_STD_CHEB05, "1.418218", ".597002", ".340072", "1.03127", "cheb05"},
    {"1.0 dB Tchebysheff", ID_STD_CHEB10, "1.274638", ".501946", ".280943", ".943253", "cheb10"},
    {"2.0 dB Tchebysheff", ID_STD_CHEB20, "1.075906", ".470711", ".217681", ".963678", "cheb20"},
    {"3.0 dB Tchebysheff", ID_STD_CHEB30, ".179248", ".950309", ".928942", ".442696", "cheb30"},
    {"TBD", ID_STD_TBD, "", "", "", "", "tbd"},
};

}  // namespace

std::span<const StandardSet> StandardSets() {
    return kSets;
}

const StandardSet* FindStandardSet(int controlId) {
    for (const StandardSet& set : kSets)
        if (set.ControlId == controlId) return &set;
    return nullptr;
}

const StandardSet* FindStandardSet(std::string_view name) {
    for (const StandardSet& set : kSets)
        if (name == set.Name) return &set;
    return nullptr;
}

void ApplyStandardSet(const StandardSet& set, const TextSink& sink) {
    sink(ID_AF1, set.AF1);
    sink(ID_F1, set.F1);
    sink(ID_AF2, set.AF2);
    sink(ID_F2, set.F2);
}
