// The one board of a run: the trimmer left where the printed steps leave
// it, and every part of the board (trim, grades, yields, bill) the same
// board whichever way it is read.
#include <gtest/gtest.h>

#include <cmath>

#include "build/board.h"
#include "designs.h"

using namespace velmora;

namespace {

// The reading at position i of a drawn board, from the nodal solution.
double Reading(const DrawnBoard& d, const KTrim& t, int i) {
    FilterParts p = d.Parts;
    p.K = 1 + (d.Rkr + d.Pot * i / t.Steps) / d.RStar;
    return std::abs(CircuitResponse(p, t.TestHz)) * d.Meter;
}

TEST(SetTrimmer, StopsAtTheFirstPositionThatReachesTheStatedGain) {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    const SnappedBuild b = SnapDesign(d, {ESeries::E96, std::nullopt, true}, d.ISF);
    const KTrim base{1500, 500, 1000, 0, 100, 0.005, 0.2};
    const DrawnBoard nominal{b.Built, b.RStar, 1500, 500, 1};
    const double atZero = Reading(nominal, base, 0);
    const struct {
        double Gain;
        bool InRange;
        int Position;  // -1: the first that reaches, found by scanning
    } rows[] = {
        {atZero * 1.001, true, -1},  // just above the start: the first steps
        {1.419, true, -1},
        {Reading(nominal, base, 40) * (1 - 1e-9), true, 40},  // just below a position's reading
        {atZero * 0.999, false, 0},  // reached at the start: outside the range
        {100, false, 100},           // never reached: the far end, outside the range
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Gain);
        KTrim t = base;
        t.StatedGain = row.Gain;
        int first = 0;
        while (first <= 100 && Reading(nominal, t, first) < t.StatedGain)
            ++first;
        const TrimSetting s = SetTrimmer(nominal, t);
        EXPECT_EQ(s.InRange, row.InRange);
        EXPECT_EQ(s.Position, row.Position >= 0 ? row.Position : first);
        EXPECT_DOUBLE_EQ(s.K, 1 + (1500 + 500.0 * s.Position / 100) / b.RStar);
    }
}

TEST(MakeBoard, EveryOutputReadsTheSameBoard) {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    BoardRequest q;
    q.Series = {ESeries::E96, std::nullopt, true};
    q.Trials = 200;
    q.Seed = 2;
    q.Mask = {0.03, 0, 0, 0.5};
    q.TrimSettings.FixedSeries = ESeries::E96;
    q.TrimSettings.PilotTrials = 200;
    q.TrimSettings.Seed = 2;
    for (const bool planned : {false, true}) {
        SCOPED_TRACE(planned);
        q.Trim = true;
        q.PlanYield = planned ? std::optional(0.3) : std::nullopt;
        const Board board = MakeBoard(d, q);
        ASSERT_TRUE(board.Trim);
        const KTrim& t = board.Trim->Trim;
        if (planned) {
            // The plan with the trim is the board: its grades, trim and yield.
            ASSERT_TRUE(board.Plans[1].Trim);
            EXPECT_EQ(t.FixedOhms, board.Plans[1].Trim->Trim.FixedOhms);
            EXPECT_EQ(t.StatedGain, board.Plans[1].Trim->Trim.StatedGain);
            EXPECT_EQ(board.After.Passed, board.Plans[1].Run.Passed);
        }
        // The nominal board is where the procedure leaves it, near the design's K.
        EXPECT_NEAR(board.Nominal.K, board.Build.Ideal.K, t.PotOhms / t.Steps / board.Build.RStar);
        EXPECT_DOUBLE_EQ(board.NominalRkr, t.FixedOhms + t.PotOhms * board.TrimPosition / t.Steps);
        // The bill lists that trim and those grades.
        const auto line = [&](const char* ref) {
            for (const BomLine& l : BoardBill(board, q))
                if (l.Ref == ref) return l;
            return BomLine{};
        };
        EXPECT_EQ(line("VR1").Value, t.PotOhms);
        EXPECT_EQ(line("RK-R").Value, t.FixedOhms);
        EXPECT_EQ(line("C3").Tolerance, board.Grades.Of[kBoardC3]);
        EXPECT_EQ(line("R2, R3").Tolerance, board.Grades.Of[kBoardR2]);  // one line to order
    }
}

TEST(MakeBoard, MovesAPartToASeriesSoldInItsGrade) {
    // E24 is sold at 5 and 1 %; a plan needing 0.1 % buys the nearest E96 value.
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    BoardRequest q;
    q.Series = {ESeries::E24, std::nullopt, false};
    q.Trials = 200;
    q.Seed = 1;
    q.Mask = {0, 0.01, 0.03, 0};  // f0 within 1 %, Q within 3 %
    q.Trim = true;
    q.TrimSettings.PilotTrials = 200;
    q.PlanYield = 0.95;
    const Board board = MakeBoard(d, q);
    ASSERT_TRUE(board.Trim);
    EXPECT_EQ(board.Grades.Of[kBoardR1], 0.001);
    for (const BomLine& l : BoardBill(board, q)) {
        if (l.Ref[0] != 'R' || l.Ref == "R*") continue;  // R* is as given
        SCOPED_TRACE(l.Ref);
        EXPECT_EQ(l.Series, "E96");
        if (l.Ref != "RK-R") {
            EXPECT_EQ(l.Value, SnapToSeries(l.Computed, ESeries::E96));
        }
    }
    EXPECT_EQ(board.Trim->Trim.FixedOhms, SnapToSeries(board.Trim->Trim.FixedOhms, ESeries::E96));
    // The yield printed for the plan is the moved board's.
    EXPECT_EQ(board.After.Passed, board.Plans[1].Run.Passed);
    EXPECT_EQ(board.Plans[1].Trim->Trim.FixedOhms, board.Trim->Trim.FixedOhms);
}

}  // namespace
