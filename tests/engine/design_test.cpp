#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "bits.h"
#include "design_fixture.h"

namespace {

using Texts = std::array<std::string, 12>;

struct ExampleRow {
    const char* name;
    DesignInputs inputs;
    int passes;
    Texts texts;  // proto R1 R2 R3 R4 K, scaled R1 R2 R3 R4 C RK-R Freq
};

const std::vector<ExampleRow>& StandardRows() {
    static const std::vector<ExampleRow> rows = {
        {"Butterworth",
         {"1.847759", "1", ".765367", "1"},
         41,
         {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.",
          "293.", "0.1", "2076.", "1000."}},
        {"Bessel",
         {"1.915949", "3.023265", "1.241406", "3.389366"},
         40,
         {"34043.9", "136066.3", "136066.3", "9695.1", "1.9606", "340.4", "1360.7", "1360.7", "97.",
          "0.1", "1921.3", "1000."}},
        {"Cheb05",
         {"1.418218", ".597002", ".340072", "1.03127"},
         42,
         {"224566.3", "560072.7", "560072.7", "24029.8", "2.0978", "2245.7", "5600.7", "5600.7",
          "240.3", "0.1", "2195.7", "1000."}},
        {"Cheb10",
         {"1.274638", ".501946", ".280943", ".943253"},
         42,
         {"286079.4", "623597.1", "623597.1", "25728.6", "2.1087", "2860.8", "6236.", "6236.",
          "257.3", "0.1", "2217.4", "1000."}},
        {"Cheb20",
         {"1.075906", ".470711", ".217681", ".963678"},
         42,
         {"339621.6", "609719.9", "609719.9", "24697.4", "2.1236", "3396.2", "6097.2", "6097.2",
          "247.", "0.1", "2247.2", "1000."}},
        {"Cheb30",
         {".179248", ".950309", ".928942", ".442696"},
         42,
         {"393595.9", "609859.4", "609859.4", "24764.5", "2.1349", "3936.", "6098.6", "6098.6",
          "247.6", "0.1", "2269.7", "1000."}},
    };
    return rows;
}

void ExpectRun(const DesignRun& run, int passes, const Texts& texts, const std::string& label) {
    EXPECT_EQ(run.Passes, passes) << label;
    for (size_t k = 0; k < texts.size(); ++k)
        EXPECT_EQ(run.Texts[k], texts[k]) << label << ", result " << k + 1;
}

TEST(ComputeDesign, StandardRowsGiveTheirTexts) {
    for (const ExampleRow& row : StandardRows())
        ExpectRun(Calculate(row.inputs), row.passes, row.texts, row.name);
}

TEST(ComputeDesign, ExchangingThePairsChangesNoText) {
    for (const ExampleRow& row : StandardRows()) {
        const DesignInputs& in = row.inputs;
        const DesignRun swapped = Calculate({in.AF2, in.F2, in.AF1, in.F1});
        for (size_t k = 0; k < 12; ++k)
            EXPECT_EQ(swapped.Texts[k], row.texts[k]) << row.name;
    }
}

TEST(ShowResults, WritesTwelveBoxesInDisplayOrder) {
    const DesignRun run = Calculate(StandardRows()[0].inputs);
    for (size_t k = 0; k < 12; ++k)
        EXPECT_EQ(run.Order[k], kResultIds[k]);
}

// Values quoted to full precision were taken from a double evaluation; the
// extended evaluation may land a unit or two in the last place away.
void ExpectNear(double actual, double expected, const char* what) {
    EXPECT_LE(std::fabs(actual - expected), 4 * std::fabs(std::nextafter(expected, 0.0) - expected))
        << what << ": " << actual << " vs " << expected;
}

TEST(ComputeDesign, ButterworthIntermediates) {
    const DesignRecord d = Calculate(StandardRows()[0].inputs).Record;
    ExpectNear(d.P1, 0.016418755650096813, "P1");
    ExpectNear(d.P2, 0.00013478776920472697, "P2");
    ExpectNear(d.P3, 6.48186552191517e-07, "P3");
    ExpectNear(d.P4, 1.5585457455282153e-09, "P4");
    ExpectNear(d.G1Mid, 0.00837369437400513, "G1Mid");
    ExpectNear(d.R1, 119.42160238190075, "R1");
    ExpectNear(d.R2, 428.1966649787392, "R2");
    ExpectNear(d.R4, 29.30292617495861, "R4");
    ExpectNear(d.K, 2.037989506666031, "K");
    // The bracket itself is exact: the stop point and the middle before it.
    EXPECT_EQ(d.XMid, 0.0023353754986617003);
    EXPECT_EQ(d.XHi, 0.002335377772398512);
    EXPECT_EQ(d.R3, d.R2);
    EXPECT_EQ(d.GMin, 1e-7);
    EXPECT_EQ(d.GMax, 10000.000252621256);
    EXPECT_EQ(d.CapMF, 0.0010000000474974513);
}

struct CaseRow {
    const char* name;
    DesignInputs inputs;
    int passes;
    Texts texts;
};

const std::string kPlusInf = InfinityText(false);
const std::string kMinusInf = InfinityText(true);

TEST(ComputeDesign, FurtherCases) {
    const std::vector<CaseRow> rows = {
        {"C 10 uF",
         {"1.847759", "1", ".765367", "1", "10"},
         38,
         {"11942.2", "42819.7", "42819.7", "2930.3", "2.038", "119.4", "428.2", "428.2", "29.3",
          "1.", "2076.", "1000."}},
        {"FSF 10000",
         {"1.847759", "1", ".765367", "1", "1", "10000"},
         41,
         {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.",
          "293.", "0.01", "2076.", "10000."}},
        {"empty boxes",
         {"", "", "", ""},
         56,
         {"-36249949693.1", "9999993061.1", "9999993061.1", kMinusInf, kMinusInf, "-362499496.9",
          "99999930.6", "99999930.6", kMinusInf, "0.1", kMinusInf, "1000."}},
        {"C 0 uF",
         {"1.847759", "1", ".765367", "1", "0"},
         56,
         {"-36249949693.1", "9999993061.1", "9999993061.1", kMinusInf, kMinusInf, "-362499496.9",
          "99999930.6", "99999930.6", kMinusInf, "0.", kMinusInf, "1000."}},
        {"ISF 0",
         {"1.847759", "1", ".765367", "1", "1", "1000", "0"},
         41,
         {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "0.", "0.", "0.", "0.", kPlusInf,
          "2076.", "1000."}},
        {"FSF 0",
         {"1.847759", "1", ".765367", "1", "1", "0"},
         41,
         {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.",
          "293.", kPlusInf, "2076.", "0."}},
        {"R* 0",
         {"1.847759", "1", ".765367", "1", "1", "1000", "0.01", "0"},
         41,
         {"119421.6", "428196.7", "428196.7", "29302.9", "2.038", "1194.2", "4282.", "4282.",
          "293.", "0.1", "0.", "1000."}},
        {"F 3000, C 1000 uF",
         {"1.847759", "3000", ".765367", "3000", "1000"},
         20,
         {"0.", "0.1", "0.1", "0.", "2.038", "0.", "0.", "0.", "0.", "100.000005", "2076.",
          "1000."}},
        {"not numbers",
         {"abc", "x", "?", "--1", "C", "FSF", "ISF", "R"},
         56,
         {"-36249949693.1", "9999993061.1", "9999993061.1", kMinusInf, kMinusInf, "0.", "0.", "0.",
          "0.", "0.", "0.", "0."}},
    };
    for (const CaseRow& row : rows)
        ExpectRun(Calculate(row.inputs), row.passes, row.texts, row.name);
}

TEST(ComputeDesign, EmptyBoxesSearchToTheLowEnd) {
    const DesignRecord d = Calculate({"", "", "", ""}).Record;
    EXPECT_EQ(d.P1, 0.0);
    EXPECT_EQ(d.P4, 0.0);
    EXPECT_LT(d.XMid, 1.0000007e-7);  // R2 about 10 GOhm
    EXPECT_TRUE(std::isinf(d.K) && d.K < 0);
}

// A zero residual product stops the search at once, without halving.
TEST(ComputeDesign, NaNInputsStopOnTheFirstPass) {
    const DesignRun run = Calculate({"1e309", "1", "1", "1"});
    EXPECT_EQ(run.Passes, 1);
    EXPECT_EQ(run.Record.XMid, (run.Record.GMax + run.Record.GMin) / 2);
}

// Each CALC starts again from the texts: nothing carries over.
TEST(ComputeDesign, RecordReuseKeepsNoState) {
    DesignRecord reused;
    std::map<int, std::string> boxes = {{ID_AF1, ""},     {ID_F1, ""},       {ID_AF2, ""},
                                        {ID_F2, ""},      {ID_CAP, "1"},     {ID_FSF, "1000"},
                                        {ID_ISF, "0.01"}, {ID_RSTAR, "2000"}};
    ReadInputs(reused, [&](int id) { return boxes.at(id); });
    ComputeDesign(reused);
    boxes[ID_AF1] = "1.847759", boxes[ID_F1] = "1", boxes[ID_AF2] = ".765367", boxes[ID_F2] = "1";
    ReadInputs(reused, [&](int id) { return boxes.at(id); });
    EXPECT_EQ(ComputeDesign(reused), 41);
    const DesignRecord fresh = Calculate(StandardRows()[0].inputs).Record;
    EXPECT_EQ(std::memcmp(&reused, &fresh, sizeof reused), 0);
}

// 1000 x 0.00025 is a hair above 0.25 in extended but exactly 0.25 once
// rounded to double; the box must show the extended product's digit.
TEST(ShowResults, FormatsTheUnroundedExtendedProduct) {
    DesignRecord d;
    d.R1 = 0.00025, d.R2 = d.R3 = 0.00035, d.R4 = 1, d.K = 2, d.ISF = 1, d.FSF = 1, d.RStar = 1;
    std::map<int, std::string> shown;
    ShowResults(d, [&](int id, const std::string& text) { shown[id] = text; });
    EXPECT_EQ(shown[ID_PROTO_R1], "0.3");
    EXPECT_EQ(shown[ID_OUT_R1], "0.3");
    EXPECT_EQ(shown[ID_PROTO_R2], "0.3");
    EXPECT_EQ(shown[ID_OUT_R3], "0.3");
}

}  // namespace
