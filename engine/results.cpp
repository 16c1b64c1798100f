// The texts in and out of a design: the eight inputs read from their
// texts, and the twelve results formatted as the window shows them.
#include "results.h"

#include <array>

#include "fpu_scope.h"
#include "number_text.h"

namespace {

using Ext = long double;

constexpr double kOhmsPerKilohm = 1000.0;

struct Display {
    int Id;
    const char* Mask;
};

// 7. Display order and masks.
constexpr Display kDisplay[12] = {
    {ID_PROTO_R1, "#.#"},   {ID_PROTO_R2, "#.#"},   {ID_PROTO_R3, "#.#"},
    {ID_PROTO_R4, "#.#"},   {ID_PROTO_K, "#.####"}, {ID_OUT_R1, "#.#"},
    {ID_OUT_R2, "#.#"},     {ID_OUT_R3, "#.#"},     {ID_OUT_R4, "#.#"},
    {ID_OUT_C, "#.######"}, {ID_OUT_RKR, "#.#"},    {ID_OUT_FREQ, "#######.#"},
};

static_assert(
    [] {
        for (int k = 0; k < 12; ++k)
            if (kDisplay[k].Id != kResultIds[k]) return false;
        return true;
    }(),
    "ResultTextsOf fills the texts in kResultIds order");

// The record's input fields in reading order (kInputIds).
using InputFields = std::array<double*, 8>;
InputFields InputFieldsOf(DesignRecord& d) {
    return {&d.AF1, &d.F1, &d.AF2, &d.F2, &d.CapUF, &d.FSF, &d.ISF, &d.RStar};
}

// RK-R = K R* - R*, ohms.
Ext Rkr(const DesignRecord& d) {
    return static_cast<Ext>(d.K) * d.RStar - d.RStar;
}

VELMORA_NOINLINE double RkrExtended(const DesignRecord& d) {
    return static_cast<double>(Rkr(d));
}

VELMORA_NOINLINE void ComputeDisplayValues(const DesignRecord& d, Ext (&v)[12]) {
    const Ext ohms = kOhmsPerKilohm, isf = d.ISF;
    v[0] = ohms * d.R1;
    v[1] = ohms * d.R2;
    v[2] = ohms * d.R3;
    v[3] = ohms * d.R4;
    v[4] = d.K;
    v[5] = ohms * d.R1 * isf;
    v[6] = ohms * d.R2 * isf;
    v[7] = ohms * d.R3 * isf;
    v[8] = ohms * d.R4 * isf;
    v[9] = ohms * d.CapMF / (isf * d.FSF);
    v[10] = Rkr(d);
    v[11] = d.FSF;
}

}  // namespace

void ReadInputs(DesignRecord& design, const TextSource& source) {
    const InputFields fields = InputFieldsOf(design);
    for (int k = 0; k < 8; ++k)
        *fields[k] = ParseNumber(source(kInputIds[k]));
}

void ShowResults(const DesignRecord& design, const TextSink& sink) {
    Ext values[12];
    {
        FpuScope scope;
        ComputeDisplayValues(design, values);
    }
    for (int k = 0; k < 12; ++k)
        sink(kDisplay[k].Id, FormatNumber(values[k], kDisplay[k].Mask));
}

namespace velmora {

// Both sets of texts are in reading and display order, as the IDs are, so
// these are ReadInputs and ShowResults without a callback per box.
void ReadInputTexts(DesignRecord& design, const InputTextSet& texts) {
    const InputFields fields = InputFieldsOf(design);
    for (std::size_t k = 0; k < kInputCount; ++k)
        *fields[k] = ParseNumber(texts[k]);
}

ResultTexts ResultTextsOf(const DesignRecord& design) {
    Ext values[12];
    {
        FpuScope scope;
        ComputeDisplayValues(design, values);
    }
    ResultTexts texts;
    for (std::size_t k = 0; k < kResultCount; ++k)
        texts[k] = FormatNumber(values[k], kDisplay[k].Mask);
    return texts;
}

double RkrOhms(const DesignRecord& design) {
    FpuScope scope;
    return RkrExtended(design);
}

}  // namespace velmora
