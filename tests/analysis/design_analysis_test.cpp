// Designs held against their targets: the values as shown and unrounded,
// and the diagnostics, from the engine's own records.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "design/design_analysis.h"
#include "design_cases.h"

using namespace velmora;

namespace {

std::vector<std::string> Codes(const DesignAnalysis& a) {
    std::vector<std::string> codes;
    for (const Diagnostic& d : a.Diagnostics)
        codes.push_back(d.Code);
    return codes;
}

std::string AllMessages(const DesignAnalysis& a) {
    std::string all;
    for (const Diagnostic& d : a.Diagnostics)
        all += d.Message + "\n";
    return all;
}

// Rounding to 0.1 ohm moves the standard sets' pole pairs by at most about
// 0.1 % (the 3 dB row's high-Q pair); the unrounded values by the search's
// 1e-6. None of them earns a diagnostic.
TEST(AnalyseDesign, StandardSetsAsShownAndUnrounded) {
    for (int id : kStandardSetIds) {
        const DesignRecord d = Compute(PresetInputs(id));
        const DesignAnalysis a = AnalyseDesign(d);
        SCOPED_TRACE(FindStandardSet(id)->Label);
        EXPECT_TRUE(a.RootFound);
        EXPECT_TRUE(a.Diagnostics.empty()) << AllMessages(a);
        for (int k = 0; k < 2; ++k) {
            EXPECT_LT(std::abs(a.Shown.Pairs[k].F0Error), 0.002);
            EXPECT_LT(std::abs(a.Shown.Pairs[k].QError), 0.002);
            EXPECT_LT(std::abs(a.Unrounded.Pairs[k].F0Error), 1e-5);
            EXPECT_LT(std::abs(a.Unrounded.Pairs[k].QError), 1e-5);
        }
        // Entry order is kept: the 3 dB row lists its high-Q pair first.
        EXPECT_NEAR(a.Shown.Pairs[0].Realised.Q, 1 / d.AF1, 0.002 / d.AF1);
    }
}

TEST(AnalyseDesign, PartsAsShownComeFromTheTexts) {
    const DesignRecord d = Compute(PresetInputs(ID_STD_BUTTERWORTH));
    const DesignAnalysis a = AnalyseDesign(d);
    EXPECT_EQ(a.Texts[5], "1194.2");  // the engine's texts, untouched
    EXPECT_EQ(AnalyseDesign(Compute(PresetInputs(ID_STD_TBD))).Texts[1], "9999993061.1");
    EXPECT_EQ(a.Shown.Parts.R1, 1194.2);
    EXPECT_EQ(a.Shown.Parts.R3, 4282);
    EXPECT_EQ(a.Shown.Parts.C4, 0.1e-6);
    EXPECT_DOUBLE_EQ(a.Shown.Parts.K, 1 + 2076.0 / 2000);  // from RK-R, as built
    EXPECT_NEAR(a.Unrounded.Parts.R1, 1194.2160238190075, 1e-9);
    EXPECT_NEAR(a.Unrounded.Parts.C1, 0.10000000474974513e-6, 1e-22);
    // With R* 0 there is no gain network: the K text stands in.
    EXPECT_EQ(ShownParts(Compute(ButterworthWith(7, "0")), a.Texts).K, 2.038);
}

TEST(SearchFoundRoot, FromTheResidualsLeftInTheRecord) {
    EXPECT_TRUE(SearchFoundRoot(Compute(PresetInputs(ID_STD_BESSEL))));
    EXPECT_FALSE(SearchFoundRoot(Compute(PresetInputs(ID_STD_TBD))));
    EXPECT_FALSE(SearchFoundRoot(Compute(ButterworthWith(4, "0"))));
    DesignInputs fast = ButterworthWith(4, "1000");  // the search ends after 20 passes
    fast.Texts[1] = fast.Texts[3] = "3000";
    EXPECT_TRUE(SearchFoundRoot(Compute(fast)));
}

struct DiagnosticRow {
    const char* name;
    DesignInputs inputs;
    std::vector<std::string> codes;
    std::vector<std::string> words;  // each must appear in the messages
};

DesignInputs Pairs(const char* af1, const char* f1, const char* af2, const char* f2) {
    DesignInputs in;
    in.Texts[0] = af1, in.Texts[1] = f1, in.Texts[2] = af2, in.Texts[3] = f2;
    return in;
}

TEST(DiagnoseDesign, SaysWhatIsWrongAndWhatToChange) {
    DesignInputs tiny = ButterworthWith(4, "1000");
    tiny.Texts[1] = tiny.Texts[3] = "3000";
    const std::vector<DiagnosticRow> rows = {
        {"empty parameter boxes",
         PresetInputs(ID_STD_TBD),
         {"no-root", "bad-part", "bad-part", "bad-part", "bad-part"},
         {"10 GOhm", "9999993061.1", "both pole pairs must be entered", "R1 is negative",
          "R4 is negative and infinite", "K is negative and infinite", "RK-R"}},
        {"ISF 0",
         ButterworthWith(6, "0"),
         {"bad-part", "bad-part", "bad-part", "bad-part"},
         {"R1 is zero", "R2 (= R3) is zero", "R4 is zero", "C is infinite", "ISF is 0",
          "enter a positive ISF"}},
        {"C 0",
         ButterworthWith(4, "0"),
         {"no-root", "bad-part", "bad-part", "bad-part", "bad-part", "bad-part"},
         {"C is 0 uF", "C is zero"}},
        {"FSF 0", ButterworthWith(5, "0"), {"bad-part"}, {"C is infinite", "FSF 0"}},
        {"R* 0", ButterworthWith(7, "0"), {"bad-part"}, {"RK-R is zero", "R* is 0"}},
        {"K below 1",
         Pairs("2.5", "1", "2.5", "10"),
         {"gain-below-one"},
         {"K is 0.67", "RK-R comes out negative (-655.4 ohms)"}},
        {"negative damping",
         Pairs("-1.847759", "1", ".765367", "1"),
         {"unstable"},
         {"right half-plane", "AF1 and AF2 must be positive"}},
        {"coarse display",
         ButterworthWith(6, "0.00005"),
         {"off-target"},
         {"values as shown miss the target", "R4 shows 1.5 ohms", "Choose ISF"}},
        {"values below the display's last digit",
         tiny,
         {"bad-part", "bad-part", "bad-part"},
         {"R1 shows as 0 although it is 0.000398", "Raise ISF"}},
        {"real poles grouped differently", Pairs("3.5", "1", "3.5", "1"), {}, {}},
        {"the Butterworth row", PresetInputs(ID_STD_BUTTERWORTH), {}, {}},
    };
    for (const DiagnosticRow& row : rows) {
        const DesignAnalysis a = AnalyseDesign(Compute(row.inputs));
        EXPECT_EQ(Codes(a), row.codes) << row.name << "\n" << AllMessages(a);
        for (const std::string& w : row.words)
            EXPECT_NE(AllMessages(a).find(w), std::string::npos)
                << row.name << ": no '" << w << "' in\n"
                << AllMessages(a);
    }
}

}  // namespace
