// The engine must give its texts whatever x87 control word and SSE control
// register it finds: 53-bit precision (left by runtimes built for doubles),
// 24-bit precision, a directed rounding mode, flush-to-zero. Each table row
// differs somewhere when extended arithmetic is not really extended.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include "fpu_scope.h"
#include "tables.h"

namespace {

struct ForeignState {
    const char* Name;
    unsigned short Word;
    unsigned int Mxcsr;
};

constexpr ForeignState kForeignStates[] = {
    {"53-bit precision", 0x027F, 0x1F80},
    {"24-bit precision", 0x007F, 0x1F80},
    {"round toward zero", 0x0F7F, 0x7F80},
    {"round up, 53-bit, flush to zero", 0x0A7F, 0xDFC0},
    {"the x87 word right, flush to zero", kExtendedControlWord, 0x9FC0},
};

// Restores the start-up state however a test ends.
struct StateGuard {
    unsigned short Word = FpuGetControlWord();
    unsigned int Mxcsr = _mm_getcsr();
    ~StateGuard() { FpuSetControlWord(Word), _mm_setcsr(Mxcsr); }
};

void Install(const ForeignState& state) {
    FpuSetControlWord(state.Word);
    _mm_setcsr(state.Mxcsr);
}

TEST(FpuScope, InstallsItsStateAndRestoresTheCallers) {
    StateGuard guard;
    for (const ForeignState& foreign : kForeignStates) {
        Install(foreign);
        {
            FpuScope scope;
            EXPECT_EQ(FpuGetControlWord() & 0x0F3F, kExtendedControlWord & 0x0F3F) << foreign.Name;
            // Masks on; round to nearest, no flush-to-zero or denormals-are-zero.
            EXPECT_EQ(_mm_getcsr() & 0xFFC0, 0x1F80u) << foreign.Name;
        }
        EXPECT_EQ(FpuGetControlWord(), foreign.Word) << foreign.Name;
        EXPECT_EQ(_mm_getcsr(), foreign.Mxcsr) << foreign.Name;
    }
}

TEST(FpuScope, TablesHoldWhateverStateIsFound) {
    StateGuard guard;
    CheckParseTable();  // reads the tables under the start-up state
    CheckFormatTable();
    for (const ForeignState& foreign : kForeignStates) {
        SCOPED_TRACE(foreign.Name);
        Install(foreign);
        CheckParseTable();
        CheckFormatTable();
        CheckWorkedExamples();
        EXPECT_EQ(FpuGetControlWord(), foreign.Word);
    }
}

}  // namespace
