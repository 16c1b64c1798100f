#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/calculation.h"
#include "control_ids.h"
#include "report/batch.h"

using namespace velmora;

namespace {

struct BatchRow {
    const char* name;
    std::string input;
    std::string output;
    std::string errors;
    int status;
};

const std::string kButterworthIn = "1.847759\t1\t.765367\t1\t1\t1000\t0.01\t2000";
const std::string kButterworthOut =
    "119421.6\t428196.7\t428196.7\t29302.9\t2.038\t1194.2\t4282.\t4282.\t293.\t0.1\t2076.\t1000.";

TEST(RunBatch, LinesFieldsAndErrors) {
    const std::vector<BatchRow> rows = {
        {"one line", kButterworthIn + "\n", kButterworthOut + "\n", "", 0},
        {"no final line feed", kButterworthIn, kButterworthOut + "\n", "", 0},
        {"CR LF", kButterworthIn + "\r\n", kButterworthOut + "\n", "", 0},
        {"empty input", "", "", "", 0},
        {"seven fields", "1\t1\t1\t1\t1\t1\t1\n" + kButterworthIn + "\n",
         "\n" + kButterworthOut + "\n",
         "velmora-calc: line 1: expected 8 TAB-separated fields, found 7\n", 1},
        {"nine fields", kButterworthIn + "\t\n", "\n",
         "velmora-calc: line 1: expected 8 TAB-separated fields, found 9\n", 1},
        {"blank line between", kButterworthIn + "\n\n" + kButterworthIn + "\n",
         kButterworthOut + "\n\n" + kButterworthOut + "\n",
         "velmora-calc: line 2: expected 8 TAB-separated fields, found 1\n", 1},
        {"spaces are not separators", "1 1 1 1 1 1 1 1\n", "\n",
         "velmora-calc: line 1: expected 8 TAB-separated fields, found 1\n", 1},
    };
    for (const BatchRow& row : rows) {
        std::istringstream in(row.input);
        std::ostringstream out, err;
        EXPECT_EQ(RunBatch(in, out, err), row.status) << row.name;
        EXPECT_EQ(out.str(), row.output) << row.name;
        EXPECT_EQ(err.str(), row.errors) << row.name;
    }
}

// Empty fields are empty texts, exactly as empty boxes in the window.
TEST(RunBatch, EmptyFieldsReadAsEmptyBoxes) {
    std::istringstream in("\t\t\t\t1\t1000\t0.01\t2000\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunBatch(in, out, err), 0);
    const std::string minusInf = "-" + std::string(19, '9') + std::string(980, '0') + ".";
    EXPECT_EQ(out.str(), "-36249949693.1\t9999993061.1\t9999993061.1\t" + minusInf + "\t" +
                             minusInf + "\t-362499496.9\t99999930.6\t99999930.6\t" + minusInf +
                             "\t0.1\t" + minusInf + "\t1000.\n");
}

TEST(Presets, NamesMapToTheirButtons) {
    const std::vector<std::pair<const char*, std::optional<int>>> rows = {
        {"butterworth", ID_STD_BUTTERWORTH},
        {"bessel", ID_STD_BESSEL},
        {"cheb05", ID_STD_CHEB05},
        {"cheb10", ID_STD_CHEB10},
        {"cheb20", ID_STD_CHEB20},
        {"cheb30", ID_STD_CHEB30},
        {"tbd", ID_STD_TBD},
        {"Butterworth", std::nullopt},
        {"", std::nullopt},
        {"cheb", std::nullopt},
    };
    for (const auto& [name, id] : rows)
        EXPECT_EQ(PresetControlId(name), id) << name;
}

// A preset fills only the four parameter texts; the other inputs keep theirs.
TEST(Presets, ApplyKeepsTheOtherInputs) {
    InputTexts inputs;
    inputs.Texts[4] = "10";
    ApplyPreset(inputs, ID_STD_BESSEL);
    EXPECT_EQ(inputs.Texts, (std::array<std::string, 8>{"1.915949", "3.023265", "1.241406",
                                                        "3.389366", "10", "1000", "0.01", "2000"}));
    ApplyPreset(inputs, ID_STD_TBD);
    EXPECT_EQ(inputs.Texts[0], "");
    EXPECT_EQ(inputs.Texts[4], "10");
}

}  // namespace
