#include <gtest/gtest.h>

#include <cmath>

#include "fpu_scope.h"
#include "number_text.h"
#include "tables.h"

namespace {

TEST(ParseNumber, Table) {
    CheckParseTable();
}

TEST(FormatNumber, Table) {
    CheckFormatTable();
}

// Far beyond the double range, where only the formatter's own scaling goes;
// each product rounds, so the last bit may differ.
TEST(ScaleByPowerOfTen, ReachesTheEndsOfTheExtendedRange) {
    const struct {
        long double X;
        int J;
        long double Expected;
    } rows[] = {
        {15, -1, 1.5L},          {1, 4931, 1e4931L},       {1, -4931, 1e-4931L},
        {1e-4900L, 4910, 1e10L}, {1e4900L, -4910, 1e-10L}, {7, 0, 7},
    };
    FpuScope scope;
    for (const auto& row : rows)
        EXPECT_LE(std::fabs(ScaleByPowerOfTen(row.X, row.J) / row.Expected - 1), 1e-18L) << row.J;
}

}  // namespace
