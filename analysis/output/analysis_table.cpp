#include "analysis_table.h"

#include <cmath>
#include <cstdio>

#include "model/portable_math.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

constexpr const char* kNone = "-";

std::string Hz(double hz) {
    return std::isfinite(hz) && hz > 0 ? Significant(hz, 6) + " Hz" : kNone;
}

std::string WithError(const std::string& value, double error) {
    return value == kNone ? value : value + " (" + SignedPercent(error) + ")";
}

std::string Gain(double gain) {
    if (!std::isfinite(gain)) return kNone;
    char text[64];
    std::snprintf(text, sizeof text, "%.5g (%.2f dB)", gain, 20 * Log10(std::fabs(gain)));
    return text;
}

std::string Peaking(const CircuitAnalysis& a) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f dB", a.PeakingDb);
    return a.PeakingDb >= 0.001 ? text + std::string(" at ") + Hz(a.PeakHz) : text;
}

// The figures of one column; the target column has no errors.
struct Column {
    const CircuitAnalysis* Figures;
    const PairCheck* Pairs;  // null for the target
    const PolePair* Target;
};

std::string Cell(const Column& c, int row) {
    const CircuitAnalysis& a = *c.Figures;
    if (!a.Valid) return kNone;
    if (row < 4) {
        const int k = row / 2;
        const bool f0 = row % 2 == 0;
        const PolePair& p = c.Pairs ? c.Pairs[k].Realised : c.Target[k];
        const std::string value = f0 ? Hz(p.F0Hz) : Significant(p.Q, 5);
        if (!c.Pairs) return value;
        return WithError(value, f0 ? c.Pairs[k].F0Error : c.Pairs[k].QError);
    }
    switch (row) {
        case 4:
            return Gain(a.DcGain);
        case 5:
            return Hz(a.Minus3dBHz);
        case 6:
            return Peaking(a);
        default:
            return a.Stable ? "yes" : "no";
    }
}

constexpr const char* kLabels[8] = {"Pair 1 f0", "Pair 1 Q",        "Pair 2 f0", "Pair 2 Q",
                                    "DC gain",   "-3 dB frequency", "Peaking",   "Stable"};

}  // namespace

std::vector<AnalysisRow> AnalysisRows(const DesignAnalysis& a) {
    const Column target{&a.TargetFigures, nullptr, a.Target};
    const Column shown{&a.Shown.Analysis, a.Shown.Pairs, nullptr};
    const Column unrounded{&a.Unrounded.Analysis, a.Unrounded.Pairs, nullptr};
    std::vector<AnalysisRow> rows;
    for (int row = 0; row < 8; ++row) {
        // A target pair with an infinite Q (AF 0) is still worth showing.
        std::string t = Cell(target, row);
        if (t == kNone && row < 4)
            t = row % 2 == 0 ? Hz(a.Target[row / 2].F0Hz) : Significant(a.Target[row / 2].Q, 5);
        rows.push_back({kLabels[row], t, Cell(shown, row), Cell(unrounded, row)});
    }
    return rows;
}

}  // namespace velmora
