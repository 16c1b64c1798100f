// Every yield velmora-calc prints for a board, against the bench model
// (bench_model.h): the board is read from what the program prints (the
// standard values, the tolerances, the mask, --board-json's trim and plan),
// built again with the model's own draws, trimmed by the printed procedure
// and judged by the printed mask. Printed and simulated yields must agree
// within 4 standard errors of their difference; a plan that says it reaches
// its target must reach it in the simulation as well.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "bench_model.h"

namespace {

using bench::Parts;
using nlohmann::json;

std::string RunCalc(const std::string& args, const std::filesystem::path& dir) {
    const std::string command = "cd '" + dir.string() + "' && '" VELMORA_CALC "' " + args;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// The first line at or after `from` that starts with `start`.
std::string LineOf(const std::string& text, const std::string& start, std::size_t from = 0) {
    const std::size_t at = text.find("\n" + start, from);
    if (at == std::string::npos) return {};
    return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

double Number(const std::string& line, const std::string& pattern) {
    std::smatch m;
    if (!std::regex_search(line, m, std::regex(pattern))) return NAN;
    return std::stod(m[1]);
}

// "1.18k", "294", "100nF", "4.7uF": ohms or farads.
double Value(const std::string& text) {
    std::size_t used = 0;
    const double v = std::stod(text, &used);
    const std::string unit = "pnum kM";
    const std::size_t at = used < text.size() ? unit.find(text[used]) : std::string::npos;
    return at == std::string::npos ? v : v * std::pow(10.0, 3 * (static_cast<int>(at) - 4));
}

struct Count {
    int k = 0, n = 0;
};

// Every "K of N" in a line.
std::vector<Count> Counts(const std::string& line) {
    std::vector<Count> counts;
    const std::regex pattern(R"((\d+) of (\d+))");
    for (std::sregex_iterator i(line.begin(), line.end(), pattern), end; i != end; ++i)
        counts.push_back({std::stoi((*i)[1]), std::stoi((*i)[2])});
    return counts;
}

bench::Mask MaskOf(const std::string& yieldLine) {
    const auto limit = [&](const char* pattern, double scale) {
        const double v = Number(yieldLine, pattern);
        return std::isnan(v) ? -1 : v * scale;
    };
    return {limit(R"(-3 dB within ([\d.]+) %)", 0.01), limit(R"(f0 within ([\d.]+) %)", 0.01),
            limit(R"(Q within ([\d.]+) %)", 0.01), limit(R"(peaking within ([\d.]+) dB)", 1)};
}

struct Trim {  // a trimmer and its procedure, from --board-json
    double fixed = 0, trimmer = 0, trimmerTol = 0, hz = 0, gain = 0, meter = 0;
    int steps = 0;
};

Trim TrimOf(const json& j) {
    Trim t{j["fixed_ohms"],     j["trimmer_ohms"], j["trimmer_tolerance"], NAN, NAN,
           j["meter_accuracy"], j["trimmer_steps"]};
    for (const std::string step : j["procedure"]) {
        if (const double hz = Number(step, R"(sine of ([\d.]+) Hz)"); !std::isnan(hz)) t.hz = hz;
        if (step.find(" DC ") != std::string::npos) t.hz = 0;
        if (const double g = Number(step, R"(reaches ([\d.]+) times)"); !std::isnan(g)) t.gain = g;
    }
    return t;
}

// Parts in the order of the plan's rows: R1..R4, C1..C4, R*, RK-R.
constexpr const char* kRefs[] = {"R1", "R2", "R3", "R4", "C1", "C2", "C3", "C4", "R*", "RK-R"};
using Grades = std::array<double, 10>;

// A board as printed: its values (RK-R the whole of it before a trim), the
// grade of each part, and the trim when it has one.
struct Paper {
    Parts parts;
    Grades grades{};
    std::optional<Trim> trim;
    double gbwSpread = 0;  // parts.gbw drawn within it, as a part is
};

// The grades, and the values when given, of a list of parts of --board-json.
Paper With(Paper paper, const json& parts) {
    double* values[] = {&paper.parts.r[0], &paper.parts.r[1], &paper.parts.r[2],
                        &paper.parts.r[3], &paper.parts.c[0], &paper.parts.c[1],
                        &paper.parts.c[2], &paper.parts.c[3], &paper.parts.rStar};
    for (const json& part : parts) {
        const std::string refs = ", " + part["ref"].get<std::string>() + ",";  // "R2, R3": both
        for (int i = 0; i < 10; ++i) {
            if (refs.find(", " + std::string(kRefs[i]) + ",") == std::string::npos) continue;
            paper.grades[i] = part["tolerance"];
            if (part.contains("value") && i < 9) *values[i] = part["value"];
        }
    }
    return paper;
}

constexpr int kBenchBuilds = 6000;

struct Simulated {
    int before = 0, after = 0, beyondEnd = 0;
};

// The builds: each part drawn on its own; the trimmed board is the same
// build with RK-R's fixed part and VR1 in place of RK-R, trimmed. A board
// outside the trim range is sent back (step 4), never counted good.
Simulated Simulate(const Paper& paper, const bench::Figures& target, const bench::Mask& mask,
                   bool gaussian, std::uint64_t seed) {
    const Grades& grades = paper.grades;
    const std::optional<Trim>& trim = paper.trim;
    bench::Draws draws(seed);
    Simulated s;
    for (int b = 0; b < kBenchBuilds; ++b) {
        Parts p = paper.parts;
        const auto draw = [&](double& value, double tol) {
            value *= 1 + draws.Deviation(tol, gaussian);
        };
        for (int i = 0; i < 4; ++i)
            draw(p.r[i], grades[i]);
        for (int i = 0; i < 4; ++i)
            draw(p.c[i], grades[4 + i]);
        draw(p.rStar, grades[8]);
        const double rkrDeviation = draws.Deviation(grades[9], gaussian);
        p.rkr *= 1 + rkrDeviation;
        if (p.gbw > 0) p.gbw *= 1 + draws.Deviation(paper.gbwSpread, gaussian);
        s.before += bench::Passes(p, target, mask);
        if (!trim) continue;
        const double trimmer = trim->trimmer * (1 + draws.Deviation(trim->trimmerTol, gaussian));
        const double meter = draws.Deviation(trim->meter, gaussian);
        const bool inRange = bench::Trim(p, trim->fixed * (1 + rkrDeviation), trimmer, trim->steps,
                                         trim->hz, trim->gain, meter);
        s.beyondEnd += !inRange;
        s.after += inRange && bench::Passes(p, target, mask);
    }
    return s;
}

// |printed - simulated| within 4 standard errors of the difference (the
// pooled share, kept off 0 and 1 so that 0 of N against 0 of M passes).
void ExpectAgrees(const std::string& what, Count printed, int simulated) {
    const int builds = kBenchBuilds;
    const double pooled = (printed.k + simulated + 1.0) / (printed.n + builds + 2.0);
    const double sigma = std::sqrt(pooled * (1 - pooled) * (1.0 / printed.n + 1.0 / builds));
    const double z = (double(printed.k) / printed.n - double(simulated) / builds) / sigma;
    std::printf("  %-28s printed %6.2f %% of %5d, bench %6.2f %% of %5d, z %+5.2f\n", what.c_str(),
                100.0 * printed.k / printed.n, printed.n, 100.0 * simulated / builds, builds, z);
    EXPECT_LE(std::abs(z), 4) << what;
}

// Six responses, E24/E48/E96 with R* as given or chosen, both
// distributions, 101 and 31 trimmer positions; every run has the trim and
// so prints its yield before and after it; two plans, one reached without
// the trim.
constexpr const char* kCases[] = {
    "--preset butterworth --series E96 --match-gain --tol-r 1% --tol-c 5% "
    "--mask f3db=3%,peak=0.5dB --trim --monte-carlo 3000",
    "--preset bessel --fsf 2500 --series E48 --match-gain --tol-r 1% --tol-c 2% "
    "--mask f3db=2%,peak=0.5dB --trim --monte-carlo 3000",
    "--preset cheb05 --series E96 --match-gain --tol-r 0.5% --tol-c 2% "
    "--mask f3db=3%,peak=0.5dB --trim --monte-carlo 3000",
    "--preset cheb05 --series E96 --match-gain --mask f3db=3%,peak=0.5dB --trim --trim-steps 30 "
    "--monte-carlo 3000",
    "--preset cheb10 --cap 0.47 --series E24 --distribution gaussian --mask f0=2%,q=8% --trim "
    "--monte-carlo 3000",
    "--preset cheb20 --series E24 --distribution gaussian --tol-c 2% --mask f3db=5%,peak=1dB "
    "--trim --monte-carlo 3000",
    "--preset cheb30 --series E96 --match-gain --tol-c 1% --mask f0=3%,q=10%,peak=1dB --trim "
    "--monte-carlo 3000",
    "--preset butterworth --series E96 --match-gain --tol-r 1% --tol-c 5% "
    "--mask f3db=3%,peak=0.5dB --trim --plan 99% --monte-carlo 1000",
    "--preset bessel --series E96 --match-gain --distribution gaussian --mask f3db=5%,peak=0.5dB "
    "--trim --plan 90% --monte-carlo 1000",
    "--preset cheb05 --fsf 10000 --series E96 --match-gain --tol-r 0.5% --tol-c 2% "
    "--mask f3db=3%,peak=0.5dB --trim --opamp gbw=10MHz,gbw-spread=30%,cin=5pF --monte-carlo 3000",
};

class BoardYields : public testing::TestWithParam<const char*> {};

TEST_P(BoardYields, AgreeWithTheBench) {
    const std::string args = GetParam();
    const auto dir = std::filesystem::temp_directory_path() /
                     ("velmora-board-yields-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string out = RunCalc(args + " --seed 1 --board-json board.json", dir);
    std::ifstream file(dir / "board.json");
    const json board = json::parse(file, nullptr, false);
    std::filesystem::remove_all(dir);
    ASSERT_FALSE(board.is_discarded()) << out;
    std::printf("velmora-calc %s\n", args.c_str());

    // The target from the pole pairs typed, the board from its standard values.
    const std::string inputs = LineOf(out, "Inputs:");
    const double fsf = Number(inputs, R"(FSF ([\d.]+))");
    const bench::Figures target = bench::MeasureTarget(
        {Number(inputs, R"(\bF1 ([\d.]+))") * fsf, Number(inputs, R"(\bF2 ([\d.]+))") * fsf},
        {1 / Number(inputs, R"(AF1 ([\d.]+))"), 1 / Number(inputs, R"(AF2 ([\d.]+))")});
    const std::size_t standard = out.find("\nStandard values:");
    ASSERT_NE(standard, std::string::npos) << out;
    const auto built = [&](const std::string& row) {
        std::istringstream words(LineOf(out, "  " + row + " ", standard));
        std::string name, computed, unit, value;
        words >> name >> computed;
        if (computed.back() != 'F') words >> unit;
        words >> value;
        return Value(value);
    };
    Parts nominal{{built("R1"), built("R2"), built("R3"), built("R4")}, {}, 0, built("RK-R")};
    nominal.c.fill(built("C1..C4"));
    nominal.rStar = Number(LineOf(out, "Standard values:", standard), R"(R\* ([\d.]+) ohm)");

    // The model reads the printed nominal board and target as the program does.
    const bench::Figures nominalFigures = bench::Measure(nominal, true);
    const std::string figures = out.substr(standard);
    const struct {
        const char* pattern;
        double mine, within;
    } printedFigures[] = {
        {R"(Pair 1 f0 +[\d.]+ Hz +([\d.]+))", nominalFigures.f0[0], 1e-5 * nominalFigures.f0[0]},
        {R"(Pair 1 Q +[\d.]+ +([\d.]+))", nominalFigures.q[0], 1e-4 * nominalFigures.q[0]},
        {R"(Pair 2 f0 +[\d.]+ Hz +([\d.]+))", nominalFigures.f0[1], 1e-5 * nominalFigures.f0[1]},
        {R"(Pair 2 Q +[\d.]+ +([\d.]+))", nominalFigures.q[1], 1e-4 * nominalFigures.q[1]},
        {R"(-3 dB +([\d.]+) Hz)", target.f3db, 1e-4 * target.f3db},
        {R"(-3 dB +[\d.]+ Hz +([\d.]+) Hz)", nominalFigures.f3db, 1e-4 * nominalFigures.f3db},
        {R"(Peaking +([\d.]+) dB)", target.peakDb, 1e-3},
        {R"(Peaking +[\d.]+ dB +([\d.]+) dB)", nominalFigures.peakDb, 1e-3},
    };
    for (const auto& f : printedFigures)
        EXPECT_NEAR(f.mine, Number(figures, f.pattern), f.within) << f.pattern;

    // The run's own tolerances: the plain board. The trim section's board is
    // the one --board-json lists when it lists one (with a plan, the plan's
    // with the trim), with RK-R as standard before the trim.
    const std::size_t monteCarlo = out.find("\nMonte Carlo:");
    const std::string header = LineOf(out, "Monte Carlo:", monteCarlo);
    const bool gaussian = header.find("aussian") != std::string::npos;
    Paper standardBoard{nominal, {}, std::nullopt};
    standardBoard.grades.fill(Number(header, R"(R ([\d.]+) %)") / 100);
    std::fill_n(standardBoard.grades.begin() + 4, 4, Number(header, R"(C ([\d.]+) %)") / 100);
    const std::string plainYield = LineOf(out, "  Yield (", monteCarlo);
    const bench::Mask mask = MaskOf(plainYield);
    if (plainYield.find("ideal op-amp") == std::string::npos) {
        standardBoard.parts.gbw = Number(plainYield, R"(GBW ([\d.]+)MHz)") * 1e6;
        standardBoard.gbwSpread = Number(plainYield, R"(GBW [\d.]+MHz \+-([\d.]+) %)") / 100;
        standardBoard.parts.cin = Number(plainYield, R"(cin ([\d.]+)pF)") * 1e-12;
        ASSERT_GT(standardBoard.parts.gbw, 0) << plainYield;
    }
    Paper trimmedBoard = With(standardBoard, board.value("parts", json::array()));
    trimmedBoard.trim = TrimOf(board["trim"]);
    const std::size_t gainTrim = out.find("\nGain trim:");
    ASSERT_NE(gainTrim, std::string::npos) << out;
    const std::vector<Count> trimmed = Counts(LineOf(out, "  Yield (", gainTrim));
    const std::vector<Count> beyond = Counts(LineOf(out, "  Range covers", gainTrim));
    ASSERT_EQ(trimmed.size(), 2u) << out;
    ASSERT_EQ(beyond.size(), 1u) << out;
    const Simulated plain = Simulate(standardBoard, target, mask, gaussian, 7);
    const Simulated run = Simulate(trimmedBoard, target, mask, gaussian, 7);
    ExpectAgrees("untrimmed", Counts(plainYield).at(0), plain.before);
    ExpectAgrees("before trim", trimmed[0], run.before);
    ExpectAgrees("after trim", trimmed[1], run.after);
    ExpectAgrees("beyond an end of VR1", beyond[0], run.beyondEnd);

    // The plans: each printed yield, and a target said to be reached is.
    if (!board.contains("plan")) return;
    const double goal = board["plan"]["target_yield"];
    for (const char* which : {"without_trim", "with_trim"}) {
        const json& plan = board["plan"][which];
        const bool withTrim = plan.contains("trim");
        Paper planned = With(withTrim ? trimmedBoard : standardBoard, plan["parts"]);
        if (withTrim) planned.trim = TrimOf(plan["trim"]);
        const Simulated s = Simulate(planned, target, mask, gaussian, 11);
        const int good = withTrim ? s.after : s.before;
        const std::vector<Count> printed =
            Counts(LineOf(out, withTrim ? "  With trim:" : "  Without trim:", gainTrim));
        ASSERT_EQ(printed.size(), 1u) << out;
        ExpectAgrees(std::string("plan ") + which, printed[0], good);
        if (plan["reached"] == true) {
            const double share = double(good) / kBenchBuilds;
            EXPECT_GE(share + 4 * std::sqrt(goal * (1 - goal) / kBenchBuilds), goal)
                << which << " says it reaches " << goal;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, BoardYields, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<const char*>& test) {
                             const std::string args = test.param;
                             const std::size_t preset = args.find("--preset ") + 9;
                             return std::to_string(test.index) + "_" +
                                    args.substr(preset, args.find(' ', preset) - preset);
                         });

}  // namespace
