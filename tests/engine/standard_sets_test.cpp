#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "design_fixture.h"
#include "standard_sets.h"

namespace {

using Write = std::pair<int, std::string>;

std::vector<Write> Apply(int controlId) {
    std::vector<Write> writes;
    const StandardSet* set = FindStandardSet(controlId);
    if (set)
        ApplyStandardSet(*set, [&](int id, const std::string& t) { writes.emplace_back(id, t); });
    return writes;
}

TEST(StandardSets, EachButtonWritesItsFourTextsInOrder) {
    const std::vector<std::pair<int, std::vector<Write>>> rows = {
        {ID_STD_BUTTERWORTH,
         {{ID_AF1, "1.847759"}, {ID_F1, "1"}, {ID_AF2, ".765367"}, {ID_F2, "1"}}},
        {ID_STD_BESSEL,
         {{ID_AF1, "1.915949"}, {ID_F1, "3.023265"}, {ID_AF2, "1.241406"}, {ID_F2, "3.389366"}}},
        {ID_STD_CHEB05,
         {{ID_AF1, "1.418218"}, {ID_F1, ".597002"}, {ID_AF2, ".340072"}, {ID_F2, "1.03127"}}},
        {ID_STD_CHEB10,
         {{ID_AF1, "1.274638"}, {ID_F1, ".501946"}, {ID_AF2, ".280943"}, {ID_F2, ".943253"}}},
        {ID_STD_CHEB20,
         {{ID_AF1, "1.075906"}, {ID_F1, ".470711"}, {ID_AF2, ".217681"}, {ID_F2, ".963678"}}},
        {ID_STD_CHEB30,
         {{ID_AF1, ".179248"}, {ID_F1, ".950309"}, {ID_AF2, ".928942"}, {ID_F2, ".442696"}}},
        {ID_STD_TBD, {{ID_AF1, ""}, {ID_F1, ""}, {ID_AF2, ""}, {ID_F2, ""}}},
        // The label above the buttons, the other buttons and unknown IDs have no row.
        {1062, {}},
        {ID_CALC, {}},
        {ID_AF1, {}},
        {0, {}},
        {-1, {}},
    };
    for (const auto& [id, writes] : rows)
        EXPECT_EQ(Apply(id), writes) << "control " << id;
}

TEST(StandardSets, LabelsInButtonOrder) {
    std::vector<std::string> labels;
    for (const StandardSet& set : StandardSets())
        labels.emplace_back(set.Label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Butterworth", "Bessel", "0.5 dB Tchebysheff",
                                                "1.0 dB Tchebysheff", "2.0 dB Tchebysheff",
                                                "3.0 dB Tchebysheff", "TBD"}));
}

// A preset feeds a calculation through the boxes, exactly as typed texts do.
TEST(StandardSets, PresetThenCalculateGivesTheWorkedExample) {
    DesignInputs in;
    ApplyStandardSet(*FindStandardSet(ID_STD_BESSEL), [&](int id, const std::string& t) {
        (id == ID_AF1 ? in.AF1 : id == ID_F1 ? in.F1 : id == ID_AF2 ? in.AF2 : in.F2) = t;
    });
    const DesignRun run = Calculate(in);
    EXPECT_EQ(run.Passes, 40);
    EXPECT_EQ(run.Texts[0], "34043.9");
    EXPECT_EQ(run.Texts[10], "1921.3");
}

}  // namespace
