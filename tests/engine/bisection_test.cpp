// The search as it runs: which half each pass keeps, and the bracket's
// invariants on inputs far from any sensible design.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "tables.h"

namespace {

// "L" for a pass that kept the lower half, "U" for the upper, "S" for a stop
// without halving.
std::string Trace(const InputTexts& inputs) {
    std::string trace;
    double lo = 0, hi = 0;
    Calculate(inputs, [&](const DesignRecord& r, int pass) {
        if (pass == 1) lo = r.GMin, hi = r.GMax;
        trace += r.XLo != lo ? 'U' : r.XHi != hi ? 'L' : 'S';
        lo = r.XLo, hi = r.XHi;
    });
    return trace;
}

TEST(Bisection, WhichHalfEachPassKeeps) {
    const struct {
        const char* Example;
        std::string Trace;
    } rows[] = {
        {"Butterworth", std::string(22, 'L') + "UUUUULULULUUUUUUULL"},
        {"TBD", std::string(56, 'L')},
        {"F 3000, C 1000 uF", "ULUULLUULULUULUULULU"},
        {"NaN residual", "S"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Trace(Example(row.Example).Inputs), row.Trace) << row.Example;
}

// The bracket is exact to the bit: where the search stops on the Butterworth
// row, and the range it starts from.
TEST(Bisection, ButterworthBracket) {
    const DesignRecord d = Calculate(Example("Butterworth").Inputs).Record;
    EXPECT_EQ(d.XMid, 0.0023353754986617003);
    EXPECT_EQ(d.XHi, 0.002335377772398512);
    EXPECT_EQ(d.GMin, 1e-7);
    EXPECT_EQ(d.GMax, 10000.000252621256);
}

// XLo <= XMid <= XHi on every pass, XMid the rounded midpoint of the bracket
// it splits, 1 to 56 passes, R3 = R2, whatever the inputs.
TEST(Bisection, BracketInvariantsOnRandomInputs) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> exponent(-6.0, 6.0);
    std::uniform_int_distribution<int> sign(0, 5);
    for (int trial = 0; trial < 2000; ++trial) {
        InputTexts inputs;
        for (std::string& text : inputs)
            text = std::to_string(std::pow(10.0, exponent(random)) * (sign(random) ? 1 : -1));
        bool sound = true;
        const DesignRun run = Calculate(inputs, [&](const DesignRecord& r, int) {
            const double mid = (r.XLo + r.XHi) / 2;
            sound = sound && r.XLo <= r.XMid && r.XMid <= r.XHi &&
                    std::fabs(r.XMid - mid) <= std::fabs(mid) * 1e-15;
        });
        ASSERT_TRUE(sound && run.Passes >= 1 && run.Passes <= 56) << "trial " << trial;
        ASSERT_EQ(std::bit_cast<uint64_t>(run.Record.R3), std::bit_cast<uint64_t>(run.Record.R2))
            << "trial " << trial;
    }
}

}  // namespace
