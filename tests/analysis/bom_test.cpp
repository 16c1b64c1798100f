#include "build/bom.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_designs.h"

using namespace velmora;

namespace {

SnappedBuild Build() {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    return SnapDesign(d, {ESeries::E96, ESeries::E6}, d.ISF);
}

TEST(Bom, CsvHasOneRowPerPartWithSeriesValues) {
    const Tolerances tol{0.01, 0.05, Distribution::Uniform};
    GbwLimit gbw;
    gbw.Found = true;
    gbw.GbwHz = 1.72e6;
    gbw.Limit = 0.01;
    std::ostringstream csv;
    WriteBomCsv(csv, BillOfMaterials(Build(), {ESeries::E96, ESeries::E6}, &tol, &gbw));
    const std::string expected =
        "Ref,Value,Unit,Computed,Deviation %,Series,Tolerance %,Description\n"
        "R1,1180,ohm,1194.216,-1.1904,E96,1,\"Resistor\"\n"
        "R2,4320,ohm,4281.9666,0.8882,E96,1,\"Resistor\"\n"
        "R3,4320,ohm,4281.9666,0.8882,E96,1,\"Resistor\"\n"
        "R4,294,ohm,293.02926,0.3313,E96,1,\"Resistor\"\n"
        "RK-R,2100,ohm,2075.979,1.1571,E96,1,\"Resistor, gain network\"\n"
        "R*,2000,ohm,2000,0.0000,,1,\"Resistor, gain network (as given)\"\n"
        "C1,1e-07,F,1e-07,-0.0000,E6,5,\"Capacitor, C0G/NP0 or film\"\n"
        "C2,1e-07,F,1e-07,-0.0000,E6,5,\"Capacitor, C0G/NP0 or film\"\n"
        "C3,1e-07,F,1e-07,-0.0000,E6,5,\"Capacitor, C0G/NP0 or film\"\n"
        "C4,1e-07,F,1e-07,-0.0000,E6,5,\"Capacitor, C0G/NP0 or film\"\n"
        "U1,,,,,,,\"Op-amp, unity-gain stable, GBW >= 1.72MHz (f0 and Q within 1 %)\"\n";
    EXPECT_EQ(csv.str(), expected);
    // A part left as computed is to be fitted as computed, to every digit.
    std::ostringstream computed;
    WriteBomCsv(computed, BillOfMaterials(SnapDesign(PresetDesign(ID_STD_BUTTERWORTH), {}, 0.01),
                                          {}, nullptr, nullptr));
    EXPECT_NE(computed.str().find("\nR1,1194.216,ohm,1194.216,0.0000,,"), std::string::npos)
        << computed.str();
}

TEST(Bom, TextNamesEveryPartWithItsMarkedValue) {
    std::ostringstream text;
    WriteBomText(text, BillOfMaterials(Build(), {ESeries::E96, ESeries::E6}, nullptr, nullptr));
    const std::string t = text.str();
    for (const char* expected : {"R1     1.18k", "R2     4.32k", "R4     294 ", "RK-R   2.1k ",
                                 "C1     100nF", "E96 Resistor", "U1", "+0.89 %"})
        EXPECT_NE(t.find(expected), std::string::npos) << expected << "\n" << t;
}

// A matched gain pair puts the chosen R* in the bill, not a deviation from
// the one typed in.
TEST(Bom, MatchedRStarIsAPartOfTheSeries) {
    const DesignRecord d = PresetDesign(ID_STD_BUTTERWORTH);
    const BuildSeries series{ESeries::E96, std::nullopt, true};
    const std::vector<BomLine> bom =
        BillOfMaterials(SnapDesign(d, series, d.ISF), series, nullptr, nullptr);
    const BomLine& rstar = bom[5];
    ASSERT_EQ(rstar.Ref, "R*");
    EXPECT_TRUE(InSeries(rstar.Value, ESeries::E96));
    EXPECT_EQ(rstar.Value, rstar.Computed);
    EXPECT_EQ(rstar.Series, "E96");
    EXPECT_NE(rstar.Description.find("2k given"), std::string::npos) << rstar.Description;
}

}  // namespace
