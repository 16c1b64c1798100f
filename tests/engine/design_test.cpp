// The whole calculation over the worked examples, and the preset buttons that
// feed it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "standard_sets.h"
#include "tables.h"

namespace {

TEST(ComputeDesign, WorkedExamples) {
    CheckWorkedExamples();
}

TEST(ComputeDesign, ExchangingThePairsChangesNoText) {
    for (const WorkedExample& e : WorkedExamples()) {
        InputTexts swapped = e.Inputs;
        std::swap_ranges(swapped.begin(), swapped.begin() + 2, swapped.begin() + 2);
        EXPECT_EQ(Calculate(swapped).Texts, e.Texts) << e.Name;
    }
}

TEST(ShowResults, WritesTwelveBoxesInDisplayOrder) {
    const DesignRun run = Calculate(Example("Butterworth").Inputs);
    EXPECT_TRUE(std::equal(run.Order.begin(), run.Order.end(), kResultIds));
}

// Each CALC starts again from the texts: nothing carries over.
TEST(ComputeDesign, RecordReuseKeepsNoState) {
    DesignRecord reused = Calculate(Example("TBD").Inputs).Record;
    const InputTexts& inputs = Example("Butterworth").Inputs;
    std::map<int, std::string> boxes;
    for (size_t k = 0; k < 8; ++k)
        boxes[kInputIds[k]] = inputs[k];
    ReadInputs(reused, [&](int id) { return boxes.at(id); });
    EXPECT_EQ(ComputeDesign(reused), 41);
    const DesignRecord fresh = Calculate(inputs).Record;
    EXPECT_EQ(std::memcmp(&reused, &fresh, sizeof reused), 0);
}

// 1000 x 0.00025 is a hair above 0.25 in extended but exactly 0.25 once
// rounded to double; the box must show the extended product's digit.
TEST(ShowResults, FormatsTheUnroundedExtendedProduct) {
    DesignRecord d;
    d.R1 = 0.00025, d.R2 = d.R3 = 0.00035, d.R4 = 1, d.K = 2, d.ISF = 1, d.FSF = 1, d.RStar = 1;
    std::map<int, std::string> shown;
    ShowResults(d, [&](int id, const std::string& text) { shown[id] = text; });
    for (int id : {ID_PROTO_R1, ID_OUT_R1, ID_PROTO_R2, ID_OUT_R3})
        EXPECT_EQ(shown[id], "0.3") << id;
}

// The first seven worked examples are the buttons, in button order.
TEST(StandardSets, EachButtonWritesItsRowsFourTexts) {
    const int buttons[] = {ID_STD_BUTTERWORTH, ID_STD_BESSEL, ID_STD_CHEB05, ID_STD_CHEB10,
                           ID_STD_CHEB20,      ID_STD_CHEB30, ID_STD_TBD};
    ASSERT_EQ(StandardSets().size(), std::size(buttons));
    for (size_t k = 0; k < std::size(buttons); ++k) {
        const WorkedExample& row = WorkedExamples()[k];
        EXPECT_STREQ(StandardSets()[k].Label, row.Name.c_str());
        std::vector<std::pair<int, std::string>> writes;
        ApplyStandardSet(*FindStandardSet(buttons[k]),
                         [&](int id, const std::string& t) { writes.emplace_back(id, t); });
        EXPECT_EQ(writes, (std::vector<std::pair<int, std::string>>{{ID_AF1, row.Inputs[0]},
                                                                    {ID_F1, row.Inputs[1]},
                                                                    {ID_AF2, row.Inputs[2]},
                                                                    {ID_F2, row.Inputs[3]}}))
            << row.Name;
    }
    // The caption above the buttons, other buttons and unknown IDs have no row.
    for (int id : {1062, int{ID_CALC}, int{ID_AF1}, 0, -1})
        EXPECT_EQ(FindStandardSet(id), nullptr) << id;
}

}  // namespace
