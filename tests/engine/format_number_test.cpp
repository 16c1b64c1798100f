#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bits.h"
#include "number_text.h"

namespace {

struct FormatRow {
    long double value;
    const char* mask;
    std::string expected;
};

void ExpectFormats(const std::vector<FormatRow>& rows) {
    for (const FormatRow& row : rows) {
        EXPECT_EQ(FormatNumber(row.value, row.mask), row.expected)
            << "value " << static_cast<double>(row.value) << " mask " << row.mask;
    }
}

constexpr const char* kMasks[] = {"#.#", "#.####", "#.######", "#######.#"};

TEST(FormatNumber, ZeroNaNAndInfinityUnderEveryMask) {
    for (const char* mask : kMasks) {
        ExpectFormats({
            {0.0, mask, "0."},
            {kNegativeZero, mask, "0."},
            {kQuietNaN, mask, "0."},
            {kNegativeNaN, mask, "0."},
            {kPositiveInfinity, mask, InfinityText(false)},
            {kNegativeInfinity, mask, InfinityText(true)},
        });
    }
    EXPECT_EQ(InfinityText(false).size(), 1000u);
}

TEST(FormatNumber, IntegersAndPlainFractions) {
    ExpectFormats({
        {1, "#.#", "1."},
        {7, "#.######", "7."},
        {0.5, "#.####", "0.5"},
        {0.5, "#######.#", "0.5"},
        {12.34, "#.#", "12.3"},
        {1234.5678, "#.#", "1234.6"},
        {1.847759, "#.####", "1.8478"},
        {0.765367, "#.######", "0.765367"},
        {0.10000000474974513, "#.######", "0.1"},
        {0.00001, "#.######", "0.00001"},
        {0.00001, "#.####", "0."},
        {0.0000025, "#.######", "0.000003"},
        {1000, "#######.#", "1000."},
        {12345678.9, "#######.#", "12345678.9"},
        {123456789.123456789, "#.######", "123456789.123457"},
    });
}

// Ties are decided on the decimal digits of the value's eighteen-digit form,
// so binary values just above a tie round up and exact ties go to even.
TEST(FormatNumber, RoundingTiesAndCarries) {
    ExpectFormats({
        {0.25, "#.#", "0.2"},
        {0.75, "#.#", "0.8"},
        {1.25, "#.#", "1.2"},
        {1.35, "#.#", "1.4"},
        {0.35, "#.#", "0.3"},
        {0.45, "#.#", "0.5"},
        {0.05, "#.#", "0.1"},
        {0.96, "#.#", "1."},
        {9.96, "#.#", "10."},
        {99.99, "#.#", "100."},
        {999999.96, "#.#", "1000000."},
        {0.99999995, "#.######", "1."},
        {0.0000005, "#.######", "0."},
    });
}

TEST(FormatNumber, ExtendedValuesKeepTheirLastBits) {
    ExpectFormats({
        {0.05L, "#.#", "0."},
        {0.00015L, "#.####", "0.0002"},
        {0.00025L, "#.####", "0.0002"},
        {0.00005L, "#.####", "0."},
        {2.0L / 3.0L, "#.######", "0.666667"},
        {100000000000000001.0L, "#######.#", "100000000000000001."},
    });
}

TEST(FormatNumber, LargeValuesWriteEveryIntegerDigit) {
    const std::string e300 = "100000000000000005" + std::string(283, '0') + ".";
    ExpectFormats({
        {1e20, "#.#", "100000000000000000000."},
        {1e300, "#.#", e300},
    });
    EXPECT_EQ(e300.size(), 302u);
    EXPECT_EQ(FormatNumber(kLargestDouble, "#.#").size(), 310u);
    EXPECT_EQ(FormatNumber(-kLargestDouble, "#.######").size(), 311u);
}

TEST(FormatNumber, NegativeValuesKeepTheirSign) {
    ExpectFormats({
        {-0.5, "#.#", "-0.5"},
        {-1234.56, "#.#", "-1234.6"},
        {-5, "#######.#", "-5."},
        {-0.04, "#.#", "-0."},
        {-0.96, "#.#", "-1."},
        {-1e-300, "#.######", "-0."},
    });
}

// Values far outside the double range reach the formatter from extended
// expressions; they must format without losing their magnitude.
TEST(FormatNumber, ExtendedRangeExtremes) {
    const long double huge = 1e4000L;
    const std::string text = FormatNumber(huge, "#.#");
    EXPECT_EQ(text.size(), 4002u);
    EXPECT_EQ(text.substr(0, 3), "100");
    EXPECT_EQ(FormatNumber(1e-4000L, "#.######"), "0.");
    EXPECT_EQ(FormatNumber(-1e-4940L, "#.#"), "-0.");
    EXPECT_EQ(FormatNumber(kSmallestSubnormal, "#.#"), "0.");
}

}  // namespace
