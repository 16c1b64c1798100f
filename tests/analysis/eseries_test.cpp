// The E series against the IEC values, and snapping on a log scale.
#include "build/eseries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace velmora;

namespace {

std::vector<int> Mantissas(ESeries s) {
    const auto m = SeriesMantissas(s);
    return {m.begin(), m.end()};
}

// E24 as published, each coarser series every other member of the finer
// one; E48 and E96 are the geometric series rounded to three digits, with
// no exceptions.
TEST(ESeries, TheIecValues) {
    const std::vector<int> e24 = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                  33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
    EXPECT_EQ(Mantissas(ESeries::E24), e24);
    const std::pair<ESeries, ESeries> nested[] = {
        {ESeries::E6, ESeries::E12}, {ESeries::E12, ESeries::E24}, {ESeries::E48, ESeries::E96}};
    for (const auto& [coarse, fine] : nested) {
        const std::vector<int> c = Mantissas(coarse), f = Mantissas(fine);
        ASSERT_EQ(2 * c.size(), f.size()) << SeriesName(coarse);
        for (size_t k = 0; k < c.size(); ++k)
            EXPECT_EQ(c[k], f[2 * k]) << SeriesName(coarse) << " index " << k;
    }
    for (const auto& [series, n] : {std::pair{ESeries::E48, 48}, {ESeries::E96, 96}}) {
        const std::vector<int> m = Mantissas(series);
        ASSERT_EQ(m.size(), static_cast<size_t>(n));
        for (int k = 0; k < n; ++k)
            EXPECT_EQ(m[static_cast<size_t>(k)], std::lround(100 * std::pow(10.0, k / double(n))))
                << SeriesName(series) << " index " << k;
    }
}

TEST(ESeries, SnapsToTheNearestMemberOnALogScale) {
    const struct {
        double Value;
        ESeries Series;
        double Expected;
    } rows[] = {
        {4321, ESeries::E96, 4320},
        {1194.216, ESeries::E96, 1180},  // E96 has 118 and 121; log midpoint 1194.9
        {1195.5, ESeries::E96, 1210},
        {1194.216, ESeries::E12, 1200},
        {4.75, ESeries::E24, 4.7},  // log midpoint of 4.7 and 5.1 is 4.896
        {4.9, ESeries::E24, 5.1},
        {98.7, ESeries::E96, 97.6},  // log midpoint of 97.6 and 100 is 98.79
        {98.9, ESeries::E96, 100},
        {9.8e-9, ESeries::E6, 1e-8},
        {12e-9, ESeries::E6, 10e-9},  // log midpoint of 10 and 15 is 12.25
        {12.5e-9, ESeries::E6, 15e-9},
        {0.12, ESeries::E12, 0.12},
        {1e6, ESeries::E24, 1e6},
        {0.0499, ESeries::E96, 0.0499},
        {-5, ESeries::E12, -5},  // not a part: unchanged
        {0, ESeries::E12, 0},
    };
    for (const auto& row : rows) {
        EXPECT_DOUBLE_EQ(SnapToSeries(row.Value, row.Series), row.Expected)
            << row.Value << " in " << SeriesName(row.Series);
        EXPECT_EQ(InSeries(row.Value, row.Series), row.Value == row.Expected && row.Value > 0)
            << row.Value << " in " << SeriesName(row.Series);
    }
}

}  // namespace
