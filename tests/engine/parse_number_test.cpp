#include <gtest/gtest.h>

#include <string>

#include "bits.h"
#include "number_text.h"

namespace {

struct ParseRow {
    std::string text;
    double expected;
};

// Compares bit for bit, so -0 and +0 differ and every last bit counts.
void ExpectParses(const std::vector<ParseRow>& rows) {
    for (const ParseRow& row : rows) {
        EXPECT_EQ(BitsOf(ParseNumber(row.text)), BitsOf(row.expected))
            << "text \"" << row.text << "\" read as " << ParseNumber(row.text);
    }
}

TEST(ParseNumber, BlanksAndTrailingText) {
    ExpectParses({
        {"", 0.0},
        {"   ", 0.0},
        {"\t\r\n 5", 5.0},
        {"  12.5e3xyz", 12500.0},
        {"1,234", 1.0},
        {"1 000", 1.0},
        {"12abc", 12.0},
        {"1.2.3", 1.2},
        {"00012", 12.0},
        {"0x10", 0.0},
        {"$5", 0.0},
        {"(5)", 0.0},
    });
}

TEST(ParseNumber, MantissaAndPoint) {
    ExpectParses({
        {".5", 0.5},
        {"+.5", 0.5},
        {"-.5e1", -5.0},
        {"e5", 0.0},
        {".", 0.0},
        {".e5", 0.0},
        {"0.05", 0.05},
        {"100.25", 100.25},
        {"0.000123", 0.000123},
        // Digits past the eighteenth are counted, not rounded in.
        {"1234567890123456789", 1234567890123456780.0},
        {"0.12345678901234567899", 0.123456789012345678},
        {"123456789012345678901234", 123456789012345678e6},
    });
}

TEST(ParseNumber, Exponents) {
    ExpectParses({
        {"1d2", 100.0},
        {"1D-2", 0.01},
        {"1e", 1.0},
        {"1E+", 1.0},
        {"1.5e", 1.5},
        {"1e308", 1e308},
        {"2.5E-3", 0.0025},
        {"1e0005", 1e5},
    });
}

TEST(ParseNumber, SignsAndNegativeZero) {
    ExpectParses({
        {"-", kNegativeZero},
        {"-0", kNegativeZero},
        {"--5", kNegativeZero},
        {"- 5", kNegativeZero},
        {"+", 0.0},
        {"-&H10", kNegativeZero},
        {"+7", 7.0},
        {"-7.25", -7.25},
    });
}

TEST(ParseNumber, RangeLimits) {
    const double twoTo127 = 1.7014118346046923e38;
    ExpectParses({
        {"1e309", kPositiveInfinity},
        {"1e4931", kPositiveInfinity},
        {"-1e4931", kNegativeInfinity},
        {"1e4932", twoTo127},
        {"1e99999", twoTo127},
        {"1e65540", twoTo127},
        {"-1e4932", -twoTo127},
        {"1e-4933", 0.0},
        {"1e-5000", 0.0},
        {"-1e-5000", kNegativeZero},
        {"1e-400", 0.0},
        {"4.9406564584124654e-324", kSmallestSubnormal},
        {"1.7976931348623157e308", kLargestDouble},
        // The point position counts towards the limit too.
        {"0.0001e4937", 1.7014118346046923e38},
    });
}

TEST(ParseNumber, RadixForms) {
    ExpectParses({
        {"&H10", 16},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&H7FFF", 32767},
        {"&hffff&", 65535},
        {"&H0FFFF", 65535},
        {"&HFFFF?", 65535},
        {"&H10000", 65536},
        {"&HFFFFFFFF", -1},
        {"&HFFFFFFFF&", -1},
        {"&HFFFFFFFF&&", 4294967295.0},
        {"&HFFFF%", -1},
        {"&H123456789A", 78187493530.0},
        {"&HFFFFFFFFFFFFFFFF", -1},
        {"&H8000000000000000", -9223372036854775808.0},
        {"&H10000000000000000", 0},
        {"&HFFFFFFFFFFFFFFFF?", 0},
        {"&B101", 5},
        {"&B102", 2},
        {"&O17", 15},
        {"&Q17", 15},
        {"&17", 15},
        {"&12389", 83},
        {"&H", 0},
        {"&", 0},
        {"&HG", 0},
        {"&b", 0},
        {"  &H1F rest", 31},
        {"&o777", 511},
    });
}

// Texts far longer than any 16-bit count must neither wrap nor read past
// their end.
TEST(ParseNumber, VeryLongTexts) {
    const std::string ones(40000, '1');
    const std::string tinyFraction = "0." + std::string(40000, '0') + "1";
    const std::string longTail = "2." + std::string(70000, '9');
    ExpectParses({
        {ones, 1.7014118346046923e38},
        {"-" + ones, -1.7014118346046923e38},
        {tinyFraction, 0.0},
        {longTail, 3.0},
        {std::string(70000, ' ') + "5", 5.0},
        {std::string(70000, '0') + "42", 42.0},
    });
}

}  // namespace
