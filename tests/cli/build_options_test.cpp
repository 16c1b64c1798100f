#include "board/build_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "common/calculation.h"

using namespace velmora;

namespace {

TEST(BuildOptions, Quantities) {
    struct Row {
        const char* Text;
        const char* Unit;
        std::optional<double> Value;
    };
    const Row rows[] = {
        {"10MHz", "Hz", 10e6}, {"10 MHz", "Hz", 10e6}, {"1.5k", "Hz", 1.5e3}, {"10nF", "F", 10e-9},
        {"10n", "F", 10e-9},   {"4.7uF", "F", 4.7e-6}, {"10mF", "F", 10e-3},  {"100", "Hz", 100},
        {"0.5dB", "dB", 0.5},  {"2k2", "F", {}},       {"10Hz", "F", {}},     {"abc", "Hz", {}},
        {"", "Hz", {}},        {"10x", "Hz", {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseQuantity(row.Text, row.Unit), row.Value) << row.Text;
    EXPECT_EQ(ParsePercent("1%"), 0.01);
    EXPECT_EQ(ParsePercent("0.5 %"), 0.005);
    EXPECT_EQ(ParsePercent("5"), 0.05);
    EXPECT_EQ(ParsePercent("5 dB"), std::nullopt);
}

struct Parsed {
    BuildOptions Options;
    InputTexts Inputs;
    std::string Error;
};

// Parses argv as velmora-calc would for the build options, with the eight
// input options given as `given`.
Parsed Parse(std::vector<std::string> args, std::optional<std::string> (&given)[8],
             bool preset = false, bool json = false) {
    Parsed p;
    CLI::App app;
    AddBuildOptions(app, p.Options);
    std::vector<const char*> argv = {"velmora-calc"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    app.parse(static_cast<int>(argv.size()), argv.data());
    for (size_t k = 0; k < 8; ++k)
        if (given[k]) p.Inputs.Texts[k] = *given[k];
    p.Error = ApplyBuildInputs(p.Options, p.Inputs, given, preset, json);
    return p;
}

Parsed Parse(std::vector<std::string> args, bool preset = false, bool json = false) {
    std::optional<std::string> none[8];
    return Parse(std::move(args), none, preset, json);
}

TEST(BuildOptions, ResponseFillsThePairsThatWereNotGiven) {
    Parsed p = Parse({"--response", "cheb", "--ripple", "0.5"});
    ASSERT_EQ(p.Error, "");
    EXPECT_EQ(p.Inputs.Texts[0].substr(0, 8), "1.418217");
    EXPECT_EQ(p.Inputs.Texts[3].substr(0, 7), "1.03127");
    std::optional<std::string> given[8];
    given[1] = "2";
    Parsed q = Parse({"--response", "butter"}, given);
    EXPECT_EQ(q.Inputs.Texts[1], "2");
    EXPECT_EQ(q.Inputs.Texts[3], "1");
}

// --c-out picks the ISF that makes the window's scaled C that value: the
// exact quotient 1 uF / (10 nF FSF), in its shortest text.
TEST(BuildOptions, CapacitorOnTheBoardSetsIsf) {
    for (const auto& [fsf, isf] :
         {std::pair{"1000", "0.1"}, {"2500", "0.04"}, {"123.4", "0.8103727714748784"}}) {
        std::optional<std::string> given[8];
        given[5] = fsf;
        Parsed p = Parse({"--c-out", "10nF"}, given);
        ASSERT_EQ(p.Error, "");
        EXPECT_EQ(p.Inputs.Texts[6], isf);
        const char* butterworth[4] = {"1.847759", "1", ".765367", "1"};
        std::copy(butterworth, butterworth + 4, p.Inputs.Texts.begin());
        EXPECT_EQ(RunCalculation(p.Inputs).Texts[9], "0.01") << fsf;
    }
}

TEST(BuildOptions, ConflictsAreUsageErrors) {
    std::optional<std::string> isfGiven[8];
    isfGiven[6] = "0.01";
    const std::vector<std::pair<std::string, std::string>> rows = {
        {Parse({"--response", "cheb"}).Error, "--response cheb needs --ripple DB > 0"},
        {Parse({"--response", "bessel", "--ripple", "1"}).Error,
         "--ripple applies to --response cheb only"},
        {Parse({"--response", "butter", "--cutoff", "edge"}).Error,
         "--cutoff edge does not apply to --response butter"},
        {Parse({"--response", "elliptic"}).Error,
         "unknown response 'elliptic' (use butter, cheb or bessel)"},
        {Parse({"--response", "butter"}, true).Error,
         "--response and --preset both set the pole pairs"},
        {Parse({"--c-out", "10nF"}, isfGiven).Error,
         "--c-out sets ISF: give one of --c-out and --isf"},
        {Parse({"--c-out", "22nF", "--isf-search", "0.001:0.1"}).Error,
         "--c-out sets ISF: give one of --c-out and --isf-search"},
        {Parse({"--series", "E13"}).Error, "unknown series 'E13' (use E12, E24, E48 or E96)"},
        {Parse({"--cap-series", "E96"}).Error, "unknown series 'E96' (use E6, E12 or E24)"},
        {Parse({"--match-gain"}).Error, "--match-gain goes with --series"},
        {Parse({"--mask", "f3db=2%"}).Error, "--mask goes with --monte-carlo N"},
        {Parse({"--monte-carlo", "10", "--mask", "bw=2%"}).Error,
         "unknown mask 'bw' (use f3db, f0, q or peak)"},
        {Parse({"--isf-search", "0.05:0.01"}).Error,
         "--isf-search takes LOW:HIGH with 0 < LOW < HIGH"},
        {Parse({"--series", "E96"}, false, true).Error,
         "--json covers the design only; the build sections are text"},
        {Parse({"--response", "butter"}, false, true).Error, ""},
        {Parse({"--gbw", "fast"}).Error, "--gbw 'fast' is not a frequency"},
    };
    for (const auto& [got, want] : rows)
        EXPECT_EQ(got, want);
}

// A fixed seed gives the same report, word for word.
TEST(BuildOptions, ReportIsReproducibleWithASeed) {
    const auto report = [] {
        Parsed p = Parse({"--response", "bessel", "--series", "E24", "--monte-carlo", "300",
                          "--seed", "11", "--mask", "f3db=5%", "--sensitivity", "--bom"});
        std::ostringstream out, err;
        EXPECT_EQ(WriteBuildSections(p.Options, p.Inputs, out, err), 0);
        return out.str();
    };
    const std::string first = report();
    EXPECT_EQ(first, report());
    for (const char* section :
         {"Standard values: resistors E24", "Sensitivities", "Monte Carlo: 300 builds", "seed 11",
          "Yield (-3 dB within 5 %)", "Bill of materials:"})
        EXPECT_NE(first.find(section), std::string::npos) << section;
}

}  // namespace
