// Calculations through the window: the inputs typed into the boxes with real
// keystrokes, CALC clicked, and the twelve result boxes compared byte for byte
// with the worked examples and with the native velmora-calc on the same inputs.
#include <gtest/gtest.h>

#include <map>

#include "user_input.h"
#include "velmora_session.h"
#include "window_cases.h"

namespace {

using Texts = std::array<std::string, 12>;

const std::string kNegInf = InfinityText(true);
const std::string kPosInf = InfinityText(false);

// The worked examples, by case name (display order: proto R1 R2 R3 R4 K,
// scaled R1 R2 R3 R4 C, RK-R, Freq).
const std::map<std::string, Texts> kExpected = {
    {"butterworth",
     {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.", "293.",
      "0.1", "2076.", "1000."}},
    {"bessel",
     {"34043.9", "136066.3", "136066.3", "9695.1", "1.9606", "340.4", "1360.7", "1360.7", "97.",
      "0.1", "1921.3", "1000."}},
    {"cheb05",
     {"224566.3", "560072.7", "560072.7", "24029.8", "2.0978", "2245.7", "5600.7", "5600.7",
      "240.3", "0.1", "2195.7", "1000."}},
    {"cheb10",
     {"286079.4", "623597.1", "623597.1", "25728.6", "2.1087", "2860.8", "6236.", "6236.", "257.3",
      "0.1", "2217.4", "1000."}},
    {"cheb20",
     {"339621.6", "609719.9", "609719.9", "24697.4", "2.1236", "3396.2", "6097.2", "6097.2", "247.",
      "0.1", "2247.2", "1000."}},
    {"cheb30",
     {"393595.9", "609859.4", "609859.4", "24764.5", "2.1349", "3936.", "6098.6", "6098.6", "247.6",
      "0.1", "2269.7", "1000."}},
    {"cheb30_pairs_swapped",
     {"393595.9", "609859.4", "609859.4", "24764.5", "2.1349", "3936.", "6098.6", "6098.6", "247.6",
      "0.1", "2269.7", "1000."}},
    {"butterworth_c10",
     {"11942.2", "42819.7", "42819.7", "2930.3", "2.038", "119.4", "428.2", "428.2", "29.3", "1.",
      "2076.", "1000."}},
    {"butterworth_fsf10000",
     {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.", "293.",
      "0.01", "2076.", "10000."}},
    {"empty_boxes",
     {"-36249949693.1", "9999993061.1", "9999993061.1", kNegInf, kNegInf, "-362499496.9",
      "99999930.6", "99999930.6", kNegInf, "0.1", kNegInf, "1000."}},
    {"butterworth_c0",
     {"-36249949693.1", "9999993061.1", "9999993061.1", kNegInf, kNegInf, "-362499496.9",
      "99999930.6", "99999930.6", kNegInf, "0.", kNegInf, "1000."}},
    {"butterworth_isf0",
     {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "0.", "0.", "0.", "0.", kPosInf,
      "2076.", "1000."}},
    {"butterworth_fsf0",
     {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.", "293.",
      kPosInf, "2076.", "0."}},
    {"butterworth_rstar0",
     {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.", "293.",
      "0.1", "0.", "1000."}},
    {"butterworth_f3000_c1000",
     {"0.", "0.1", "0.1", "0.", "2.038", "0.", "0.", "0.", "0.", "100.000005", "2076.", "1000."}},
};

class Calculation : public VelmoraSession {
protected:
    // Replaces a box's text the way a user does: click into it, select all
    // of it, then type over it (or delete it).
    void TypeIntoBox(int id, const std::string& text) {
        ASSERT_NO_FATAL_FAILURE(FocusByClick(id));
        InputKey(VK_END);
        InputChord(VK_SHIFT, VK_HOME);
        if (text.empty())
            InputKey(VK_DELETE);
        else
            InputType(text);
        ASSERT_TRUE(WaitUntil([&] { return Text(id) == text; }));
    }
    Texts Results() const {
        Texts texts;
        for (size_t k = 0; k < 12; ++k)
            texts[k] = Text(kCaseResultIds[k]);
        return texts;
    }
    // Empties the result boxes so that a calculation is seen even when it
    // shows the same texts as the one before.
    void ClearResults() {
        for (const int id : kCaseResultIds)
            ControlSetTextRemote(main, id, "");
    }
};

TEST_F(Calculation, WorkedExamplesTypedAndClickedMatchExpectedAndBatchTexts) {
    const std::vector<WindowCase> cases = WindowCasesLoad(Options().CasesFile, Options().BatchFile);
    ASSERT_EQ(cases.size(), kExpected.size()) << "window_cases.tsv and the expected table differ";
    ASSERT_TRUE(InputBringToFront(main));

    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_EQ(kExpected.count(c.Name), 1u);
        ClearResults();
        for (size_t k = 0; k < 8; ++k)
            ASSERT_NO_FATAL_FAILURE(TypeIntoBox(kCaseInputIds[k], c.Inputs[k]));
        InputClick(Control(ID_CALC));
        // ShowResults writes the frequency box last.
        ASSERT_TRUE(WaitUntil([&] { return !Text(ID_OUT_FREQ).empty(); }));

        const Texts shown = Results();
        EXPECT_EQ(shown, kExpected.at(c.Name));
        EXPECT_EQ(shown, c.Batch) << "differs from velmora-calc --batch";
    }
}

TEST_F(Calculation, EditingOneBoxRecomputesFromAllCurrentTexts) {
    WindowSendCommand(main, ID_STD_BUTTERWORTH, BN_CLICKED);
    ControlSetTextRemote(main, ID_FSF, "10000");
    ControlSetTextRemote(main, ID_CAP, "10");
    WindowSendCommand(main, ID_CALC, BN_CLICKED);
    // C 10 and FSF 10000 together: the resistors of C 10, the capacitor of
    // both scalings.
    EXPECT_EQ(Text(ID_PROTO_R1), "11942.2");
    EXPECT_EQ(Text(ID_OUT_C), "0.1");
    EXPECT_EQ(Text(ID_OUT_FREQ), "10000.");
}

}  // namespace
