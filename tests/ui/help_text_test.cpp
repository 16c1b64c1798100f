// The help page text as built: the sentences that must stand word for word,
// and the layout of its lines.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "help_page.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1)
        lines.emplace_back(text.substr(start, end - start));
    lines.emplace_back(text.substr(start));
    return lines;
}

TEST(HelpText, ItemsAreSingleLinesSeparatedByOneEmptyLine) {
    const std::vector<std::string> lines = Lines(HelpPageText());
    // Heading, notice, then eight times an empty line and a paragraph; the
    // final two line feeds leave an empty line and an empty rest.
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Velmora Calculator");
    EXPECT_FALSE(lines[1].empty()) << "the notice follows the heading directly";
    for (size_t k = 2; k < 18; k += 2) {
        EXPECT_TRUE(lines[k].empty()) << "line " << k;
        EXPECT_FALSE(lines[k + 1].empty()) << "line " << k + 1;
    }
    EXPECT_TRUE(lines[18].empty());
    EXPECT_TRUE(lines[19].empty());
    for (const char c : HelpPageText()) {
        EXPECT_NE(c, '\r');
        EXPECT_TRUE(c == '\n' || (c >= 32 && c < 127)) << "not plain ASCII: " << int(c);
    }
}

// Rows: a line of the page (0-based) and the text it must start with, or be.
struct Fixed {
    size_t Line;
    const char* Text;
    bool Whole;
};

const Fixed kFixed[] = {
    {3, "Freeware with no guarantee of suitability for any", false},
    {5, "Given suitable starting parameters, this program will calculate the resistor", false},
    {7,
     "Extracting suitable parameters from common tables can be a bit confusing. In general, AF1 "
     "is the reciprocal of Q1. AF2 is the reciprocal of Q2. F1 is w1 and F2 is w2, but they must "
     "be in radians/second. If the numbers are Hz, divide by 2*Pi.",
     true},
    {9,
     "The pairs, AF1|F1 and AF2|F2 can be reversed with no effect. Note C1=C2=C3=C4 and R2=R3. "
     "The resistor R should be any sensible feedback value and it's mate will be calculated.",
     true},
    {11,
     "If you can get the pole locations for a given filter you can use the real and imaginary "
     "parts to calculate the frequency and Q. Frequency = SQRT(Real^2 + |Imag|^2) and Q is that "
     "same number divided by 2*Real.",
     true},
    {13,
     "Using parameter tables (TI SLOA049B is a good example in the right format) you can create",
     false},
    {15, "A well designed 4-pole filter can offer a useful performance improvement over 2", false},
    {17, "This program is a rewrite of the", false},
};

TEST(HelpText, QuotedWordsStandAsGiven) {
    const std::vector<std::string> lines = Lines(HelpPageText());
    ASSERT_EQ(lines.size(), 20u);
    for (const Fixed& row : kFixed) {
        SCOPED_TRACE(row.Line);
        if (row.Whole)
            EXPECT_EQ(lines[row.Line], row.Text);
        else
            EXPECT_TRUE(lines[row.Line].starts_with(row.Text)) << lines[row.Line];
    }
    EXPECT_TRUE(lines[17].ends_with("often available.")) << lines[17];
    EXPECT_NE(lines[5].find("The filter parameters will typically be for the prototype frequency "
                            "of 1 rad/s and the program automatically converts to 1 Hz output."),
              std::string::npos);
}

}  // namespace
