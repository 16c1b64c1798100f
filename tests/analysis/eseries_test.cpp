#include "build/eseries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "text/quantity_text.h"

using namespace velmora;

namespace {

struct SeriesSize {
    ESeries Series;
    size_t PerDecade;
    int First, Last;
};

TEST(ESeries, TablesHaveTheirSizeAndAreIncreasing) {
    const SeriesSize rows[] = {{ESeries::E6, 6, 10, 68},
                               {ESeries::E12, 12, 10, 82},
                               {ESeries::E24, 24, 10, 91},
                               {ESeries::E48, 48, 100, 953},
                               {ESeries::E96, 96, 100, 976}};
    for (const SeriesSize& row : rows) {
        const auto m = SeriesMantissas(row.Series);
        ASSERT_EQ(m.size(), row.PerDecade) << SeriesName(row.Series);
        EXPECT_EQ(m.front(), row.First);
        EXPECT_EQ(m.back(), row.Last);
        for (size_t k = 1; k < m.size(); ++k)
            EXPECT_LT(m[k - 1], m[k]) << SeriesName(row.Series) << " at " << k;
    }
}

// E48 and E96 are the geometric series rounded to three digits, with no
// exceptions; a mistyped entry breaks this.
TEST(ESeries, E48AndE96FollowTheRoundedGeometricSeries) {
    for (ESeries series : {ESeries::E48, ESeries::E96}) {
        const auto m = SeriesMantissas(series);
        const double n = static_cast<double>(m.size());
        for (size_t k = 0; k < m.size(); ++k)
            EXPECT_EQ(m[k], std::lround(100 * std::pow(10.0, static_cast<double>(k) / n)))
                << SeriesName(series) << " index " << k;
    }
}

// Each coarser series is every other member of the next finer one, and the
// two-digit series stay within 4.5 % of the geometric ideal (2.7, 3.0 and
// 3.3 are the historical outliers).
TEST(ESeries, CoarseSeriesAreEveryOtherMemberOfTheFinerOne) {
    const std::pair<ESeries, ESeries> nested[] = {
        {ESeries::E6, ESeries::E12}, {ESeries::E12, ESeries::E24}, {ESeries::E48, ESeries::E96}};
    for (const auto& [coarse, fine] : nested) {
        const auto c = SeriesMantissas(coarse), f = SeriesMantissas(fine);
        for (size_t k = 0; k < c.size(); ++k)
            EXPECT_EQ(c[k], f[2 * k]) << SeriesName(coarse) << " index " << k;
    }
    const auto e24 = SeriesMantissas(ESeries::E24);
    for (size_t k = 0; k < e24.size(); ++k)
        EXPECT_NEAR(e24[k] / (10 * std::pow(10.0, static_cast<double>(k) / 24)), 1, 0.045) << k;
}

struct SnapRow {
    double Value;
    ESeries Series;
    double Expected;
};

TEST(ESeries, SnapsToTheNearestMemberOnALogScale) {
    const SnapRow rows[] = {
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
    for (const SnapRow& row : rows)
        EXPECT_DOUBLE_EQ(SnapToSeries(row.Value, row.Series), row.Expected)
            << row.Value << " in " << SeriesName(row.Series);
}

TEST(ESeries, NamesAndMembership) {
    EXPECT_EQ(ParseSeries("e96"), ESeries::E96);
    EXPECT_EQ(ParseSeries("E6"), ESeries::E6);
    EXPECT_EQ(ParseSeries("E13"), std::nullopt);
    EXPECT_EQ(ParseSeries("E9"), std::nullopt);
    EXPECT_TRUE(InSeries(4990, ESeries::E96));
    EXPECT_FALSE(InSeries(4990, ESeries::E24));
    EXPECT_TRUE(InSeries(2000, ESeries::E24));
    EXPECT_FALSE(InSeries(2000, ESeries::E12));
}

TEST(ESeries, EngineeringTexts) {
    const std::pair<double, const char*> rows[] = {
        {4990, "4.99k"}, {1e-8, "10n"},     {1200, "1.2k"}, {999.96, "1k"},
        {1.5e6, "1.5M"}, {0.47e-6, "470n"}, {47, "47"},     {0, "0"},
    };
    for (const auto& [value, text] : rows)
        EXPECT_EQ(FormatEngineering(value, 3), text) << value;
}

}  // namespace
