// The engine must give its texts whatever x87 control word it finds: 53-bit
// precision (left by runtimes built for doubles), 24-bit precision, or a
// directed rounding mode. Each case below differs when extended arithmetic is
// not really extended.
#include <gtest/gtest.h>

#include <string>

#include "design_fixture.h"
#include "fpu_scope.h"
#include "number_text.h"

namespace {

struct ForeignControlWord {
    const char* name;
    unsigned short word;
};

constexpr ForeignControlWord kForeignWords[] = {
    {"53-bit precision", 0x027F},
    {"24-bit precision", 0x007F},
    {"round toward zero", 0x0F7F},
    {"round up, 53-bit", 0x0A7F},
};

// Restores the start-up control word however a test ends.
struct ControlWordGuard {
    unsigned short saved = FpuGetControlWord();
    ~ControlWordGuard() { FpuSetControlWord(saved); }
};

TEST(FpuScope, InstallsExtendedPrecisionAndRestoresTheCallersWord) {
    ControlWordGuard guard;
    for (const ForeignControlWord& foreign : kForeignWords) {
        FpuSetControlWord(foreign.word);
        {
            FpuScope scope;
            EXPECT_EQ(FpuGetControlWord() & 0x0F3F, kExtendedControlWord & 0x0F3F) << foreign.name;
        }
        EXPECT_EQ(FpuGetControlWord(), foreign.word) << foreign.name;
    }
}

TEST(FpuScope, TextsDoNotDependOnTheControlWordFound) {
    ControlWordGuard guard;
    const std::string e300 = "100000000000000005" + std::string(283, '0') + ".";
    for (const ForeignControlWord& foreign : kForeignWords) {
        FpuSetControlWord(foreign.word);
        EXPECT_EQ(FormatNumber(0.05, "#.#"), "0.1") << foreign.name;
        EXPECT_EQ(FormatNumber(0.05L, "#.#"), "0.") << foreign.name;
        EXPECT_EQ(FormatNumber(0.00015L, "#.####"), "0.0002") << foreign.name;
        EXPECT_EQ(FormatNumber(0.00025L, "#.####"), "0.0002") << foreign.name;
        EXPECT_EQ(FormatNumber(2.0L / 3.0L, "#.######"), "0.666667") << foreign.name;
        EXPECT_EQ(FormatNumber(1e300, "#.#"), e300) << foreign.name;
        EXPECT_EQ(ParseNumber("1.23456789012345678e200"), 1.2345678901234567e200) << foreign.name;
        EXPECT_EQ(ParseNumber("1e308"), 1e308) << foreign.name;
        EXPECT_EQ(ParseNumber("0.1"), 0.1) << foreign.name;

        const DesignRun run = Calculate({"1.847759", "1", ".765367", "1"});
        EXPECT_EQ(run.Passes, 41) << foreign.name;
        EXPECT_EQ(run.Texts[0], "119421.6") << foreign.name;
        EXPECT_EQ(run.Texts[4], "2.038") << foreign.name;
        EXPECT_EQ(run.Record.XMid, 0.0023353754986617003) << foreign.name;
        EXPECT_EQ(FpuGetControlWord(), foreign.word) << foreign.name;
    }
}

}  // namespace
