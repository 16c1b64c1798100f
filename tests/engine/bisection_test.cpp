// The search as it runs: which half each pass keeps, and the bracket's
// invariants on inputs far from any sensible design.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "bits.h"
#include "design_fixture.h"

namespace {

// "L" for a pass that kept the lower half, "U" for the upper, "S" for a stop
// without halving.
std::string Trace(const DesignInputs& in) {
    const std::map<int, std::string> boxes = {
        {ID_AF1, in.AF1}, {ID_F1, in.F1},   {ID_AF2, in.AF2}, {ID_F2, in.F2},
        {ID_CAP, in.Cap}, {ID_FSF, in.FSF}, {ID_ISF, in.ISF}, {ID_RSTAR, in.RStar}};
    DesignRecord d;
    ReadInputs(d, [&](int id) { return boxes.at(id); });
    std::string trace;
    double lo = 0, hi = 0;
    ComputeDesign(d, [&](const DesignRecord& r, int pass) {
        if (pass == 1) lo = r.GMin, hi = r.GMax;
        trace += r.XLo != lo ? 'U' : r.XHi != hi ? 'L' : 'S';
        lo = r.XLo, hi = r.XHi;
    });
    return trace;
}

TEST(Bisection, WhichHalfEachPassKeeps) {
    const std::string butterworth = Trace({"1.847759", "1", ".765367", "1"});
    ASSERT_EQ(butterworth.size(), 41u);
    EXPECT_EQ(butterworth.substr(0, 23), std::string(22, 'L') + "U");
    EXPECT_EQ(butterworth.back(), 'L');

    EXPECT_EQ(Trace({"", "", "", ""}), std::string(56, 'L'));

    const std::string fast = Trace({"1.847759", "3000", ".765367", "3000", "1000"});
    ASSERT_EQ(fast.size(), 20u);
    EXPECT_EQ(fast[0], 'U');

    EXPECT_EQ(Trace({"1e309", "1", "1", "1"}), "S");
}

// XLo <= XMid <= XHi on every pass, XMid the rounded midpoint of the bracket
// it splits, at most 56 passes, R3 = R2 — whatever the inputs.
TEST(Bisection, BracketInvariantsOnRandomInputs) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> exponent(-6.0, 6.0);
    std::uniform_int_distribution<int> sign(0, 5);
    auto text = [&] {
        const double value = std::pow(10.0, exponent(random)) * (sign(random) == 0 ? -1 : 1);
        return std::to_string(value);
    };
    for (int trial = 0; trial < 2000; ++trial) {
        const DesignInputs in{text(), text(), text(), text(), text(), text(), text(), text()};
        const std::map<int, std::string> boxes = {
            {ID_AF1, in.AF1}, {ID_F1, in.F1},   {ID_AF2, in.AF2}, {ID_F2, in.F2},
            {ID_CAP, in.Cap}, {ID_FSF, in.FSF}, {ID_ISF, in.ISF}, {ID_RSTAR, in.RStar}};
        DesignRecord d;
        ReadInputs(d, [&](int id) { return boxes.at(id); });
        bool ordered = true, midpoint = true;
        const int passes = ComputeDesign(d, [&](const DesignRecord& r, int) {
            ordered = ordered && r.XLo <= r.XMid && r.XMid <= r.XHi;
            const double mid = (r.XLo + r.XHi) / 2;
            midpoint = midpoint && std::fabs(r.XMid - mid) <= std::fabs(mid) * 1e-15;
        });
        ASSERT_TRUE(ordered) << "trial " << trial;
        ASSERT_TRUE(midpoint) << "trial " << trial;
        ASSERT_LE(passes, 56) << "trial " << trial;
        ASSERT_GE(passes, 1) << "trial " << trial;
        ASSERT_EQ(BitsOf(d.R3), BitsOf(d.R2)) << "trial " << trial;
    }
}

}  // namespace
