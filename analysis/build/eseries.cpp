#include "eseries.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/portable_math.h"

namespace velmora {

namespace {

// IEC 60063 tables, one decade each. E6 to E24 carry the historical values
// (2.7, 3.3, 4.7 ...) that do not follow the rounded geometric formula, so
// they are listed, never computed.
constexpr int kE6[] = {10, 15, 22, 33, 47, 68};
constexpr int kE12[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                        33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
constexpr int kE48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169,
                        178, 187, 196, 205, 215, 226, 237, 249, 261, 274, 287, 301,
                        316, 332, 348, 365, 383, 402, 422, 442, 464, 487, 511, 536,
                        562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr int kE96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137,
                        140, 143, 147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191,
                        196, 200, 205, 210, 215, 221, 226, 232, 237, 243, 249, 255, 261, 267,
                        274, 280, 287, 294, 301, 309, 316, 324, 332, 340, 348, 357, 365, 374,
                        383, 392, 402, 412, 422, 432, 442, 453, 464, 475, 487, 499, 511, 523,
                        536, 549, 562, 576, 590, 604, 619, 634, 649, 665, 681, 698, 715, 732,
                        750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

struct SeriesRow {
    ESeries Series;
    const char* Name;
    std::span<const int> Mantissas;
    int Digits;
};

constexpr SeriesRow kRows[] = {
    {ESeries::E6, "E6", kE6, 2},    {ESeries::E12, "E12", kE12, 2}, {ESeries::E24, "E24", kE24, 2},
    {ESeries::E48, "E48", kE48, 3}, {ESeries::E96, "E96", kE96, 3},
};

const SeriesRow& RowOf(ESeries series) {
    for (const SeriesRow& row : kRows)
        if (row.Series == series) return row;
    return kRows[0];
}

// mantissa * 10^exponent, dividing by an exact power of ten for negative
// exponents so that 10 nF comes out as the double nearest 1e-8.
double Compose(int mantissa, int exponent) {
    const double m = mantissa;
    return exponent >= 0 ? m * PowerOfTen(exponent) : m / PowerOfTen(-exponent);
}

}  // namespace

std::span<const int> SeriesMantissas(ESeries series) {
    return RowOf(series).Mantissas;
}

int SeriesDigits(ESeries series) {
    return RowOf(series).Digits;
}

const char* SeriesName(ESeries series) {
    return RowOf(series).Name;
}

std::optional<ESeries> ParseSeries(std::string_view name) {
    for (const SeriesRow& row : kRows) {
        const std::string_view want = row.Name;
        if (want.size() != name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < want.size(); ++k)
            same = same && std::toupper(static_cast<unsigned char>(name[k])) == want[k];
        if (same) return row.Series;
    }
    return std::nullopt;
}

double SnapToSeries(double value, ESeries series) {
    if (!std::isfinite(value) || value <= 0) return value;
    const SeriesRow& row = RowOf(series);
    // 1. Decade of the value, in units of the table's last digit (10 or 100
    //    per decade start), so that candidates are exact integers times a
    //    power of ten.
    const int scale = row.Digits - 1;
    const int decade = DecimalExponent(value);
    // 2. Candidates: the decade below (rounding may misplace the value by
    //    one decade), this one and the next one's first member.
    double best = value;
    double bestDistance = INFINITY;
    for (int d = decade - 1; d <= decade + 1; ++d) {
        for (int mantissa : row.Mantissas) {
            const double candidate = Compose(mantissa, d - scale);
            const double distance = std::fabs(Log(candidate / value));
            if (distance < bestDistance) {
                bestDistance = distance;
                best = candidate;
            }
        }
    }
    return best;
}

bool InSeries(double value, ESeries series) {
    const double snapped = SnapToSeries(value, series);
    return std::isfinite(value) && value > 0 && std::fabs(snapped / value - 1) < 1e-9;
}

}  // namespace velmora
